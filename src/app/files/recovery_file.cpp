#include "app/files/recovery_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "text/atomic_file.h"

namespace tumbo::app {
namespace {

const QString kPrefix = QStringLiteral("tumbo-wiederherstellung-");
const QString kSuffix = QStringLiteral(".txt");
const QByteArray kTag = "TumboWiederherstellung1";

QString LockName(const QString &fileName) { return fileName + QStringLiteral(".lock"); }

// Readable by its owner only: a pupil's unsaved program is nobody else's business.
void MakeOwnersOnly(const QString &fileName)
{
    ::chmod(QFile::encodeName(fileName).constData(), 0600);
}

// The folder of the files, private to the user: made with mode 0700 when missing, tightened
// when it is wider; false when it is a link or belongs to someone else.
bool MakePrivateFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QByteArray name = QFile::encodeName(folder);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 077) == 0 || ::chmod(name.constData(), st.st_mode & 0700) == 0;
}

std::unique_ptr<QLockFile> TryLock(const QString &fileName)
{
    auto lock = std::make_unique<QLockFile>(LockName(fileName));
    // Only a lock whose process is gone is stale, however long a window stays open.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    MakeOwnersOnly(LockName(fileName));
    return lock;
}

QByteArray FormatText(const tumbo::text::TextFormat &f)
{
    using namespace tumbo::text;
    QByteArray s = f.Encoding == TextEncoding::Utf8 ? "utf8" : "cp1252";
    s += f.Bom ? " bom " : " - ";
    s += f.Break == LineBreak::CrLf ? "crlf" : f.Break == LineBreak::Lf ? "lf" : "cr";
    return s;
}

tumbo::text::TextFormat ParseFormat(const QByteArray &s)
{
    using namespace tumbo::text;
    const QList<QByteArray> parts = s.split(' ');
    TextFormat f;
    if (parts.size() == 3) {
        f.Encoding = parts[0] == "utf8" ? TextEncoding::Utf8 : TextEncoding::Cp1252;
        f.Bom = parts[1] == "bom";
        f.Break = parts[2] == "lf" ? LineBreak::Lf : parts[2] == "cr" ? LineBreak::Cr : LineBreak::CrLf;
    }
    return f;
}

}  // namespace

TRecoveryFile::TRecoveryFile(const QString &folder, QObject *parent) : QObject(parent)
{
    QDir dir(folder);
    if (!MakePrivateFolder(dir.absolutePath()))
        return;
    const QString base = kPrefix + QString::number(QCoreApplication::applicationPid());
    for (int n = 1; n < 1000; ++n) {
        const QString name = dir.filePath(base + QLatin1Char('-') + QString::number(n) + kSuffix);
        if (QFileInfo::exists(name) || QFileInfo::exists(LockName(name)))
            continue;
        if (auto lock = TryLock(name)) {
            fileName_ = name;
            lock_ = std::move(lock);
        }
        return;
    }
}

TRecoveryFile::~TRecoveryFile() = default;

bool TRecoveryFile::Write(const RecoveredProgram &program)
{
    if (!Usable())
        return false;
    QByteArray bytes = kTag + '\n';
    bytes += "Programm=" + program.ProgramFileName.toUtf8() + '\n';
    bytes += "Format=" + FormatText(program.Format) + '\n';
    bytes += "Zeit=" + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\n';
    bytes += '\n';
    bytes += program.Text.toUtf8();
    std::string error;
    if (!tumbo::text::WriteFileAtomic(fileName_.toStdString(), std::string_view(bytes.data(), size_t(bytes.size())),
                                      error))
        return false;
    // A new file gets the usual mode; the private folder keeps it from others meanwhile.
    MakeOwnersOnly(fileName_);
    return true;
}

void TRecoveryFile::Remove()
{
    if (!fileName_.isEmpty())
        QFile::remove(fileName_);
}

std::vector<LeftBehindFile> TRecoveryFile::LeftBehind(const QString &folder)
{
    const QDir dir(folder);
    std::vector<LeftBehindFile> found;
    const QFileInfoList entries =
        dir.entryInfoList({kPrefix + QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &entry : entries) {
        // A lock that can be taken belongs to nobody: its window is gone. It stays taken.
        if (auto lock = TryLock(entry.absoluteFilePath()))
            found.push_back({entry.absoluteFilePath(), std::move(lock)});
    }
    // Locks of windows that were killed with nothing to keep: taking and releasing
    // them removes them.
    for (const QFileInfo &lockFile : dir.entryInfoList({kPrefix + QStringLiteral("*") + kSuffix + QStringLiteral(".lock")},
                                                       QDir::Files)) {
        const QString text = lockFile.absoluteFilePath().chopped(5);
        if (!QFileInfo::exists(text))
            TryLock(text);
    }
    return found;
}

std::optional<RecoveredProgram> TRecoveryFile::Read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const qsizetype end = bytes.indexOf("\n\n");
    if (!bytes.startsWith(kTag + '\n') || end < 0)
        return std::nullopt;
    RecoveredProgram program;
    for (const QByteArray &line : bytes.left(end).split('\n')) {
        if (line.startsWith("Programm="))
            program.ProgramFileName = QString::fromUtf8(line.mid(9));
        else if (line.startsWith("Format="))
            program.Format = ParseFormat(line.mid(7));
        else if (line.startsWith("Zeit="))
            program.Saved = QDateTime::fromString(QString::fromUtf8(line.mid(5)), Qt::ISODate);
    }
    program.Text = QString::fromUtf8(bytes.mid(end + 2));
    return program;
}

void TRecoveryFile::Discard(const QString &fileName)
{
    QFile::remove(fileName);
    QFile::remove(LockName(fileName));
}

}  // namespace tumbo::app
