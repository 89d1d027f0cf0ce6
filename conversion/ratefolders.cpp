// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/ratefolders.h"

#include "conversion/unittables.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

using namespace Qt::Literals::StringLiterals;

RateFolders::RateFolders(QStringList folders)
    : folders(std::move(folders))
{
    // An empty folder name would make the file names relative to the
    // working directory.
    this->folders.removeAll(QString());
}

RateFolders RateFolders::Standard()
{
    return RateFolders({ UserFolder(), UnitTables::ApplicationRatesFolder() });
}

QString RateFolders::UserFolder()
{
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty())
        return {};
    return QDir(dataFolder).filePath(u"zorvane/ConversionRates"_s);
}

QString RateFolders::GetConversionRatesFile(const QString &fileName) const
{
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder).filePath(fileName));
        if (file.exists() && file.isReadable())
            return file.filePath();
    }
    return {};
}
