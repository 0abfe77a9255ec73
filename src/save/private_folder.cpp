// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "private_folder.h"

#include "file_descriptor.h"
#include "save_failure.h"

#include <QByteArrayList>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace corvane::save {

namespace {

QString described(const QByteArray &folder, const QString &what)
{
    return QStringLiteral("古い内容の控えを置くフォルダー「%1」%2")
        .arg(QFile::decodeName(folder), what);
}

} // namespace

int privateFolder(QString &problem)
{
    // The folders to make where missing: the state folder and, under a home, its parents.
    QByteArrayList chain;
    if (const QByteArray state = qgetenv("XDG_STATE_HOME"); state.startsWith('/')) {
        chain = {state};
    } else if (const QByteArray home = qgetenv("HOME"); home.startsWith('/')) {
        chain = {home + "/.local", home + "/.local/state"};
    } else {
        problem = QStringLiteral("古い内容の控えを置くフォルダーが決まりません。"
                                 "環境変数 XDG_STATE_HOME も HOME も、"
                                 "フォルダーを絶対パスで示していません。");
        return -1;
    }
    chain << chain.last() + "/corvane";
    const QByteArray &path = chain.last();
    for (const QByteArray &folder : chain) {
        if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST)
            continue;
        problem =
            described(path, errno == ENOENT
                                ? QStringLiteral("を作れません。「%1」がありません。")
                                      .arg(QFile::decodeName(folder.left(folder.lastIndexOf('/'))))
                                : "を作れません。" + saveFailureReason(errno));
        return -1;
    }
    Fd fd(::open(path.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd || ::fstat(fd.get(), &st) != 0) {
        problem = described(path, "を開けません。" + saveFailureReason(errno));
        return -1;
    }
    if (S_ISLNK(st.st_mode))
        problem = described(path, "はシンボリックリンクのため、使えません。");
    else if (!S_ISDIR(st.st_mode))
        problem = described(path, "はフォルダーではありません。");
    else if (st.st_uid != ::geteuid())
        problem = described(path, "はほかのユーザーのものです。");
    else if (st.st_mode & 077)
        problem = described(path, QStringLiteral("はほかのユーザーにも開かれています（アクセス権 "
                                                 "%1）。自分だけのもの（700）にしてください。")
                                      .arg(st.st_mode & 0777, 3, 8, QChar(u'0')));
    else
        return fd.release();
    return -1;
}

} // namespace corvane::save
