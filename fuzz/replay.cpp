// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Replays the inputs a fuzzer keeps, its seeds and the findings kept after
// their fault was fixed, through that fuzzer's own checks, one input at a
// time as libFuzzer runs it; the normal and the sanitizer builds run it as
// a test, so that a fixed finding stays fixed without clang or libFuzzer.
// A broken promise aborts; the last input named is the one that broke it.
//
//   fuzz_replay <fuzzer> <folder or file>...
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

// Each fuzzer's LLVMFuzzerTestOneInput, built under a name of its own.
extern "C" int replay_fuzz_inifile(const uint8_t *data, size_t size);
extern "C" int replay_fuzz_hivefile(const uint8_t *data, size_t size);
extern "C" int replay_fuzz_settingsrecord(const uint8_t *data, size_t size);
extern "C" int replay_fuzz_netphase(const uint8_t *data, size_t size);
extern "C" int replay_fuzz_ownwords(const uint8_t *data, size_t size);
#if LETTRISKO_ONLINE_UPDATE
extern "C" int replay_fuzz_updatedescription(const uint8_t *data, size_t size);
extern "C" int replay_fuzz_updatescript(const uint8_t *data, size_t size);
extern "C" int replay_fuzz_unzip(const uint8_t *data, size_t size);
#endif

namespace {

struct Fuzzer
{
    const char *name;
    int (*testOneInput)(const uint8_t *data, size_t size);
};

const Fuzzer fuzzers[] = {
    {"fuzz_inifile", replay_fuzz_inifile},
    {"fuzz_hivefile", replay_fuzz_hivefile},
    {"fuzz_settingsrecord", replay_fuzz_settingsrecord},
    {"fuzz_netphase", replay_fuzz_netphase},
    {"fuzz_ownwords", replay_fuzz_ownwords},
#if LETTRISKO_ONLINE_UPDATE
    {"fuzz_updatedescription", replay_fuzz_updatedescription},
    {"fuzz_updatescript", replay_fuzz_updatescript},
    {"fuzz_unzip", replay_fuzz_unzip},
#endif
};

// The files given, and those in the folders given, each folder's by name.
QStringList inputsOf(char **arguments, int count)
{
    QStringList inputs;
    for (int i = 0; i < count; ++i) {
        const QString path = QFile::decodeName(arguments[i]);
        if (!QFileInfo(path).isDir()) {
            inputs << path;
            continue;
        }
        const QDir folder(path);
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
            inputs << folder.filePath(name);
    }
    return inputs;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <fuzzer> <folder or file>...\n", argv[0]);
        return 2;
    }
    const Fuzzer *fuzzer = nullptr;
    for (const Fuzzer &known : fuzzers) {
        if (std::strcmp(known.name, argv[1]) == 0)
            fuzzer = &known;
    }
    if (!fuzzer) {
        std::fprintf(stderr, "%s: no fuzzer %s in this build\n", argv[0], argv[1]);
        return 2;
    }
    const QStringList inputs = inputsOf(argv + 2, argc - 2);
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "%s: no inputs for %s\n", argv[0], fuzzer->name);
        return 1;
    }
    for (const QString &input : inputs) {
        std::fprintf(stderr, "%s %s\n", fuzzer->name, qPrintable(QDir::toNativeSeparators(input)));
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        // A buffer of exactly the input's size, as libFuzzer hands it in, so
        // that the sanitizer sees a read past its end.
        const std::vector<uint8_t> data(bytes.cbegin(), bytes.cend());
        fuzzer->testOneInput(data.data(), data.size());
    }
    std::printf("%s: %lld inputs kept their promises\n", fuzzer->name, static_cast<long long>(inputs.size()));
    return 0;
}
