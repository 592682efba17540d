#include <krogui/browse/folderscan.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace kro {

namespace {

#ifdef Q_OS_UNIX
// Reads the directory entries of Path straight from the system: the type of most entries comes
// with the entry, so only links and unknown types need a stat. Stops when Visit returns false.
// Returns false when the folder cannot be opened.
template <class F> bool ForEachSubDir(const QString &Path, F &&Visit)
{
    const QByteArray dir = QFile::encodeName(WithTrailingSlash(Path));
    DIR *h = ::opendir(dir.constData());
    if (!h) return false;
    while (dirent *e = ::readdir(h)) {
        if (e->d_name[0] == '.') continue; // ".", ".." and hidden folders
        bool isDir = false;
#ifdef _DIRENT_HAVE_D_TYPE
        if (e->d_type == DT_DIR) {
            isDir = true;
        } else if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
#endif
            struct stat st;
            isDir = ::stat((dir + e->d_name).constData(), &st) == 0 && S_ISDIR(st.st_mode);
#ifdef _DIRENT_HAVE_D_TYPE
        }
#endif
        if (isDir && !Visit(e->d_name)) break;
    }
    ::closedir(h);
    return true;
}
#else
template <class F> bool ForEachSubDir(const QString &Path, F &&Visit)
{
    QDir dir(Path);
    if (!dir.exists() || !dir.isReadable()) return false;
    QDirIterator it(Path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QByteArray name = QFile::encodeName(it.fileName());
        if (name.startsWith('.')) continue;
        if (!Visit(name.constData())) break;
    }
    return true;
}
#endif

} // namespace

QString WithTrailingSlash(const QString &Path)
{
    if (Path.isEmpty() || Path.endsWith(QLatin1Char('/'))) return Path;
    return Path + QLatin1Char('/');
}

bool HasVisibleSubFolder(const QString &Path)
{
    bool found = false;
    ForEachSubDir(Path, [&](const char *) {
        found = true;
        return false;
    });
    return found;
}

void SortSubFolders(std::vector<TSubFolder> &List)
{
    if (List.size() < 2) return;
    std::vector<std::pair<QString, size_t>> keys;
    keys.reserve(List.size());
    for (size_t i = 0; i < List.size(); ++i)
        keys.emplace_back(List[i].Name.toLower(), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &A, const auto &B) { return QString::compare(A.first, B.first) < 0; });
    std::vector<TSubFolder> sorted;
    sorted.reserve(List.size());
    for (const auto &k : keys)
        sorted.push_back(std::move(List[k.second]));
    List = std::move(sorted);
}

bool ReadSubFolders(const QString &Path, std::vector<TSubFolder> &List)
{
    List.clear();
    if (Path.isEmpty()) return false;
    const bool ok = ForEachSubDir(Path, [&](const char *Name) {
        List.push_back({QFile::decodeName(Name), false});
        return true;
    });
    if (!ok) return false;
    const QString base = WithTrailingSlash(Path);
    for (TSubFolder &f : List)
        f.HasSubFolders = HasVisibleSubFolder(base + f.Name);
    SortSubFolders(List);
    return true;
}

bool IsPlainFolderName(const QString &Name, QString *Reason)
{
    auto refuse = [Reason](const QString &Why) {
        if (Reason) *Reason = Why;
        return false;
    };
    if (Name.isEmpty()) return refuse(QStringLiteral("the folder name is empty"));
    if (Name == QLatin1String(".") || Name == QLatin1String(".."))
        return refuse(QStringLiteral("\"%1\" is not a folder name").arg(Name));
    if (Name.startsWith(QLatin1Char('.')))
        return refuse(QStringLiteral("folder names beginning with \".\" are hidden"));
#ifdef Q_OS_WIN
    const QString forbidden = QStringLiteral("/\\\"<>|:*?");
#else
    const QString forbidden = QStringLiteral("/\\\"<>|");
#endif
    for (QChar c : Name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return refuse(QStringLiteral("the folder name holds a control character"));
        if (forbidden.contains(c))
            return refuse(QStringLiteral("the folder name holds the character \"%1\"").arg(c));
    }
    if (Name.toUtf8().size() > 255) return refuse(QStringLiteral("the folder name is longer than 255 bytes"));
    return true;
}

} // namespace kro
