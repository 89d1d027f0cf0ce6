// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <map>
#include <memory>

class QSvgRenderer;

// The symbol pictures of the constants table, loaded from the resource
// ":/constants/<name>.svg" the first time each is asked for and kept for the
// life of this object, which hands out the same picture afterwards.
class ConstantPictures
{
public:
    ConstantPictures() = default;
    ~ConstantPictures();
    ConstantPictures(const ConstantPictures &) = delete;
    ConstantPictures &operator=(const ConstantPictures &) = delete;

    // The picture called name, or nullptr when there is no valid picture of
    // that name.
    QSvgRenderer *Picture(QStringView name);

private:
    std::map<QString, std::unique_ptr<QSvgRenderer>> loaded;
};
