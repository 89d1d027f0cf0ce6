// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the preferences file. Each input is written to a file,
// read by the Preferences constructor and compared with the file format
// decoded here from the bytes; then the record is written back and must give
// the 12 bytes of a version-2 file, which read back as the same settings.
#include "app/preferences.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what, const QByteArray &bytes)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\nfile: %s\n", what, bytes.toHex(' ').constData());
    std::abort();
}

// The settings as the file format defines them: a version (big-endian int32)
// and, when it is 1 or more, the entry mode at offset 4; when it is 2 or
// more, the two speech options at 5 and 6, the opacity (big-endian IEEE
// single) at 7 and its switch at 11. Missing bytes leave the defaults.
struct Expected
{
    std::int32_t version = 2;
    bool rpn = false;
    bool speakResults = false;
    bool speakEverythingElse = false;
    std::uint32_t alphaBits = 0x3F800000; // 1.0f
    bool alphaUsed = false;
};

Expected decode(const QByteArray &bytes)
{
    Expected e;
    const auto byte = [&bytes](int i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (bytes.size() < 4)
        return e;
    e.version = static_cast<std::int32_t>((std::uint32_t(byte(0)) << 24) | (std::uint32_t(byte(1)) << 16)
        | (std::uint32_t(byte(2)) << 8) | byte(3));
    if (e.version >= 1 && bytes.size() >= 5)
        e.rpn = byte(4) != 0;
    if (e.version >= 2) {
        if (bytes.size() >= 6)
            e.speakResults = byte(5) != 0;
        if (bytes.size() >= 7)
            e.speakEverythingElse = byte(6) != 0;
        if (bytes.size() >= 11)
            e.alphaBits = (std::uint32_t(byte(7)) << 24) | (std::uint32_t(byte(8)) << 16)
                | (std::uint32_t(byte(9)) << 8) | byte(10);
        if (bytes.size() >= 12)
            e.alphaUsed = byte(11) != 0;
    }
    return e;
}

void compare(const Preferences &p, const Expected &e, const QByteArray &bytes)
{
    check(p.fileVersion == e.version, "fileVersion", bytes);
    check(p.usingRPNMode == e.rpn, "usingRPNMode", bytes);
    check(p.speakResults == e.speakResults, "speakResults", bytes);
    check(p.speakEverythingElse == e.speakEverythingElse, "speakEverythingElse", bytes);
    check(std::bit_cast<std::uint32_t>(p.windowAlpha) == e.alphaBits, "windowAlpha", bytes);
    check(p.windowAlphaUsed == e.alphaUsed, "windowAlphaUsed", bytes);
}

QTemporaryDir *folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Writing the file syncs it to disk: a folder in memory keeps the run
    // fast where there is one. The folder lives for the whole run.
    const QString memory = QStringLiteral("/dev/shm");
    folder = QFileInfo(memory).isWritable()
        ? new QTemporaryDir(memory + QStringLiteral("/zorvane-fuzz-XXXXXX"))
        : new QTemporaryDir;
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = QDir(folder->path()).filePath(QStringLiteral("Zorvane Preferences"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the test file", bytes);
        check(file.write(bytes) == bytes.size(), "cannot write the test file", bytes);
    }

    Expected expected = decode(bytes);
    const Preferences read(path);
    compare(read, expected, bytes);

    check(read.WriteToDisk(), "WriteToDisk failed", bytes);
    QFile file(path);
    check(file.open(QIODevice::ReadOnly), "the written file cannot be read", bytes);
    const QByteArray written = file.readAll();
    check(written.size() == 12, "the written file is not 12 bytes long", bytes);
    check(written.startsWith(QByteArray("\0\0\0\2", 4)), "the written file is not version 2", bytes);

    // Written as version 2, everything the record holds survives.
    expected.version = 2;
    compare(Preferences(path), expected, bytes);
    check(decode(written).alphaBits == expected.alphaBits, "windowAlpha changed on the way to disk", bytes);
    return 0;
}
