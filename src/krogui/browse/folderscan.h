#pragma once
// Reading the subfolders of a folder for the folder tree, and the rules for new folder names.
// No widgets here.

#include <krogui/kroguiexport.h>

#include <QString>

#include <vector>

namespace kro {

/// One subfolder: its name and whether it has visible subfolders of its own.
struct TSubFolder
{
    QString Name;
    bool HasSubFolders = false;
};

/// Reads the subfolders of the folder Path into List (which is cleared first): every directory
/// (or link to one) whose name does not begin with "." (so ".", ".." and hidden folders are left
/// out), each with HasSubFolders set when it holds such a directory itself, sorted by their
/// lower-cased names (ordinal comparison; equal keys keep the order the system gave). Returns false,
/// with List empty, when the folder cannot be read (missing, no permission, not a folder).
KROGUI_EXPORT bool ReadSubFolders(const QString &Path, std::vector<TSubFolder> &List);

/// True when the folder Path holds at least one directory whose name does not begin with ".".
KROGUI_EXPORT bool HasVisibleSubFolder(const QString &Path);

/// Sorts by lower-cased name, ordinal comparison, stable.
KROGUI_EXPORT void SortSubFolders(std::vector<TSubFolder> &List);

/// True when Name is one plain folder name that creates exactly one folder inside another: not
/// empty, not "." or "..", no path separator, no control character, none of the characters
/// " < > | (nor : * ? on Windows), not beginning with "." (such folders are not shown), and at most
/// 255 bytes in UTF-8. Otherwise false, with the reason in Reason when given.
KROGUI_EXPORT bool IsPlainFolderName(const QString &Name, QString *Reason = nullptr);

/// Path with a trailing "/" (an empty path stays empty).
KROGUI_EXPORT QString WithTrailingSlash(const QString &Path);

} // namespace kro
