// SPDX-License-Identifier: GPL-3.0-or-later
#include "constants/constantpictures.h"

#include <QSvgRenderer>

ConstantPictures::~ConstantPictures() = default;

QSvgRenderer *ConstantPictures::Picture(QStringView name)
{
    if (name.isEmpty())
        return nullptr;
    const QString key = name.toString();
    auto found = loaded.find(key);
    if (found == loaded.end()) {
        auto picture = std::make_unique<QSvgRenderer>(QStringLiteral(":/constants/%1.svg").arg(key));
        found = loaded.emplace(key, std::move(picture)).first;
    }
    return found->second->isValid() ? found->second.get() : nullptr;
}
