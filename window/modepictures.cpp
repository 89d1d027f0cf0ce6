// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/modepictures.h"

#include "app/svgiconengine.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<ModePicture, const char *>, 10> kNames { {
    { ModePicture::Trig, "trig" },
    { ModePicture::Constants, "constants" },
    { ModePicture::Mem, "mem" },
    { ModePicture::Misc, "misc" },
    { ModePicture::Convert, "convert" },
    { ModePicture::History, "history" },
    { ModePicture::RPN, "RPN" },
    { ModePicture::Help, "help" },
    { ModePicture::ComplexNumbers, "ComplexNumbers" },
    { ModePicture::MatriciesAndVectors, "matriciesandvectors" },
} };

} // namespace

QString ModePictures::ResourcePath(ModePicture picture)
{
    for (const auto &[which, name] : kNames)
        if (which == picture)
            return QStringLiteral(":/modes/%1.svg").arg(QLatin1String(name));
    Q_UNREACHABLE();
}

QIcon ModePictures::Icon(ModePicture picture)
{
    return QIcon(new SvgIconEngine(ResourcePath(picture)));
}
