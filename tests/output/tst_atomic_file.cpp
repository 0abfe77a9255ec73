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

bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void createsAndReplaces();
    void keepsPermissionsOfTheReplacedFile();
    void writesThroughASymbolicLink();
    void refusals_data();
    void refusals();
    void shortWriteLeavesTheOldFile();
    // These need a user whom file permissions bind; root is not one.
    void unwritableFolder();
    void fileThisUserMayNotWrite();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestAtomicFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = m_dir->filePath("style.css");
    QVERIFY(put(m_file, oldBytes));
}

void TestAtomicFile::createsAndReplaces()
{
    const QString fresh = m_dir->filePath(QStringLiteral("新しい.css"));
    QCOMPARE(replaceFile(fresh, newBytes), std::nullopt);
    QCOMPARE(contents(fresh), newBytes);
    QCOMPARE(replaceFile(m_file, newBytes), std::nullopt);
    QCOMPARE(contents(m_file), newBytes);
    QCOMPARE(entries(m_dir->path()), (QStringList{"style.css", QStringLiteral("新しい.css")}));
}

void TestAtomicFile::keepsPermissionsOfTheReplacedFile()
{
    QVERIFY(::chmod(QFile::encodeName(m_file).constData(), 0640) == 0);
    QCOMPARE(replaceFile(m_file, newBytes), std::nullopt);
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(m_file).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
}

void TestAtomicFile::writesThroughASymbolicLink()
{
    QDir(m_dir->path()).mkdir("real");
    const QString real = m_dir->filePath("real/target.css");
    QVERIFY(put(real, oldBytes));
    const QString link = m_dir->filePath("link.css");
    QVERIFY(QFile::link(real, link));

    QCOMPARE(replaceFile(link, newBytes), std::nullopt);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(contents(real), newBytes);
    QCOMPARE(entries(m_dir->filePath("real")), QStringList{"target.css"});
}

void TestAtomicFile::refusals_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder")
        << "missing/style.css" << QStringLiteral("フォルダーが見つかりません");
    QTest::newRow("a folder") << "folder" << QStringLiteral("フォルダーや特殊なファイル");
    QTest::newRow("a pipe") << "pipe" << QStringLiteral("フォルダーや特殊なファイル");
    QTest::newRow("read-only file") << "style.css" << QStringLiteral("読み取り専用のファイル");
}

void TestAtomicFile::refusals()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QDir(m_dir->path()).mkdir("folder");
    QVERIFY(::mkfifo(QFile::encodeName(m_dir->filePath("pipe")).constData(), 0644) == 0);
    QVERIFY(::chmod(QFile::encodeName(m_file).constData(), 0444) == 0);
    const QStringList before = entries(m_dir->path());

    const auto failure = replaceFile(m_dir->filePath(target), newBytes);
    QVERIFY(failure.has_value());
    QVERIFY2(failure->contains(reason), qPrintable(*failure));
    QVERIFY2(failure->contains(QDir::toNativeSeparators(m_dir->filePath(target))),
             qPrintable(*failure));
    QCOMPARE(contents(m_file), oldBytes);
    QCOMPARE(entries(m_dir->path()), before);
}

void TestAtomicFile::shortWriteLeavesTheOldFile()
{
    // A file-size limit cuts the write short, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    const auto failure = replaceFile(m_file, QByteArray(10000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY(failure.has_value());
    QVERIFY2(failure->contains(QStringLiteral("ファイルが大きすぎます")), qPrintable(*failure));
    QCOMPARE(contents(m_file), oldBytes);
    QCOMPARE(entries(m_dir->path()), QStringList{"style.css"});
}

void TestAtomicFile::unwritableFolder()
{
    if (::geteuid() == 0)
        QSKIP("root writes anywhere; ctest runs this again as an unprivileged user");
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0555) == 0);
    const auto failure = replaceFile(m_file, newBytes);
    ::chmod(QFile::encodeName(m_dir->path()).constData(), 0755);

    QVERIFY(failure.has_value());
    QVERIFY2(failure->contains(QStringLiteral("アクセスが拒否されました")), qPrintable(*failure));
    QCOMPARE(contents(m_file), oldBytes);
    QCOMPARE(entries(m_dir->path()), QStringList{"style.css"});
}

void TestAtomicFile::fileThisUserMayNotWrite()
{
    if (::geteuid() == 0)
        QSKIP("root writes anywhere; ctest runs this again as an unprivileged user");
    // Writable bits for others, but not for this user: the file still stays.
    QVERIFY(::chmod(QFile::encodeName(m_file).constData(), 0466) == 0);
    const auto failure = replaceFile(m_file, newBytes);
    QVERIFY(failure.has_value());
    QVERIFY2(failure->contains(QStringLiteral("読み取り専用のファイル")), qPrintable(*failure));
    QCOMPARE(contents(m_file), oldBytes);
}

QTEST_APPLESS_MAIN(TestAtomicFile)
#include "tst_atomic_file.moc"
