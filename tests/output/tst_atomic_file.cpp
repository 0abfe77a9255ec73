#include "output/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using corvane::output::replaceFile;

namespace {

const QByteArray oldBytes = "P { COLOR : red }\r\n";
const QByteArray newBytes = "H1 { COLOR : blue }\r\n";

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool chmod(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_file;

    // The message names the file and the reason; the old file and the folder are as they were.
    void checkRefused(const std::optional<QString> &failure, const QString &target,
                      const QString &reason, const QStringList &folder = {"style.css"})
    {
        QCOMPARE(failure.value_or("<saved>"), "「" + QDir::toNativeSeparators(target) +
                                                  "」に保存できませんでした。\r\n" + reason);
        QCOMPARE(contents(m_file), oldBytes);
        QCOMPARE(entries(m_dir->path()), folder);
    }

private slots:
    void init()
    {
        m_file = m_dir.emplace().filePath("style.css");
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(oldBytes) == oldBytes.size());
    }

    void replacesWholeFiles()
    {
        const QString fresh = m_dir->filePath("新しい.css");
        QCOMPARE(replaceFile(fresh, newBytes), std::nullopt);
        QCOMPARE(contents(fresh), newBytes);
        QVERIFY(chmod(m_file, 0640));
        QCOMPARE(replaceFile(m_file, newBytes), std::nullopt);
        QCOMPARE(contents(m_file), newBytes);
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(m_file).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640)); // the permissions are kept

        // Through a link, the link stays one and its target is replaced.
        QVERIFY(QDir(m_dir->path()).mkdir("real"));
        const QString real = m_dir->filePath("real/target.css");
        const QString link = m_dir->filePath("link.css");
        QVERIFY(QFile::copy(fresh, real) && QFile::link(real, link));
        QCOMPARE(replaceFile(link, oldBytes), std::nullopt);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(contents(real), oldBytes);
        QCOMPARE(entries(m_dir->filePath("real")), QStringList{"target.css"});
    }

    void refusals()
    {
        // A file-size limit cuts the write short, as a full disk would.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const rlimit small{4096, saved.rlim_max};
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const auto failure = replaceFile(m_file, QByteArray(10000, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        checkRefused(failure, m_file, "ファイルが大きすぎます。");

        QVERIFY(QDir(m_dir->path()).mkdir("folder"));
        QVERIFY(::mkfifo(QFile::encodeName(m_dir->filePath("pipe")).constData(), 0644) == 0);
        QVERIFY(chmod(m_file, 0444));
        const std::pair<QString, QString> refusals[] = {
            {"missing/style.css", "保存先のフォルダーが見つかりません。"},
            {"folder", "フォルダーや特殊なファイルには保存できません。"},
            {"pipe", "フォルダーや特殊なファイルには保存できません。"},
            {"style.css", "読み取り専用のファイルです。"}};
        for (const auto &[name, reason] : refusals) {
            const QString target = m_dir->filePath(name);
            checkRefused(replaceFile(target, newBytes), target, reason,
                         {"folder", "pipe", "style.css"});
        }
    }

    // Root writes anywhere: ctest runs these two again as an unprivileged user.
    void unwritableFolder()
    {
        if (::geteuid() == 0)
            QSKIP("root writes anywhere");
        QVERIFY(chmod(m_dir->path(), 0555));
        const auto failure = replaceFile(m_file, newBytes);
        chmod(m_dir->path(), 0755);
        checkRefused(failure, m_file, "アクセスが拒否されました。");
    }

    void fileThisUserMayNotWrite()
    {
        if (::geteuid() == 0)
            QSKIP("root writes anywhere");
        QVERIFY(chmod(m_file, 0466)); // others may write it, this user may not
        checkRefused(replaceFile(m_file, newBytes), m_file, "読み取り専用のファイルです。");
    }
};

QTEST_APPLESS_MAIN(TestAtomicFile)
#include "tst_atomic_file.moc"
