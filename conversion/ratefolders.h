// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The folders in which the rate files are looked for, in order of
// precedence. Each file is looked up on its own: the first folder that holds
// a readable entry of that name supplies it, so a user who edits one file in
// the user's folder overrides that one class and no other. A class whose file
// no folder holds takes its built-in default text.
class RateFolders
{
public:
    explicit RateFolders(QStringList folders);

    // The user's folder (UserFolder), then the application's
    // (UnitTables::ApplicationRatesFolder: beside the executable, or the
    // installed one).
    static RateFolders Standard();

    // "zorvane/ConversionRates" in the user's data folder, for example
    // ~/.local/share/zorvane/ConversionRates, where users keep the rate files
    // they edit; it need not exist.
    static QString UserFolder();

    // The path of fileName in the first folder where it exists and is
    // readable, or an empty text when no folder holds it.
    QString GetConversionRatesFile(const QString &fileName) const;

    const QStringList &Folders() const { return folders; }

private:
    QStringList folders;
};
