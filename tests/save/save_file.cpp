// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The save engine from a shell, for the tests and benchmarks that reach a real share:
//   save_file TARGET < BYTES
// Saves what it reads to TARGET and prints the message a user would see, if any. Exits 0
// when saved, 1 when saved with something to say, 2 when refused, 3 on bad use.
#include "save/replace_file.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: save_file TARGET < BYTES\n", stderr);
        return 3;
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 3;
    using corvane::save::SaveResult;
    const SaveResult result = corvane::save::replaceFile(QFile::decodeName(argv[1]), in.readAll());
    if (!result.message().isEmpty())
        std::puts(result.message().toUtf8().constData());
    switch (result.outcome()) {
    case SaveResult::Outcome::Saved:
        return 0;
    case SaveResult::Outcome::SavedWithNote:
        return 1;
    case SaveResult::Outcome::Refused:
        break;
    }
    return 2;
}
