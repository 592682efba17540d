#pragma once
// The report list XML vocabulary, its signature line and the file test.
//
// A report list is one <replist> element whose opening tag stands on a line of its own and
// carries the word "krolibset" and, when the list has one, its identifier:
//     <replist lib="krolibset" version="1" id="sales 2024">
// Readers look for that line, so one file or stream may hold several lists told apart by
// identifier. docs/replist-xml.md describes the whole format.

#include <krogui/core/types.h>

#include <QObject>
#include <QString>
#include <QStringView>

class QIODevice;

namespace kro {
namespace RepListXmlEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// The elements of a report list, in the order a writer puts them.
enum TRepListXmlTag : int {
    xmlNumCols,
    xmlNumRows,
    xmlColName,
    xmlCheckedColumn,
    xmlCommonHd,
    xmlColumnFormat,
    xmlCell,
    xmlComment,
    xmlEndReplist,
    xmlInvalid
};
Q_ENUM_NS(TRepListXmlTag)
} // namespace RepListXmlEnums
using namespace RepListXmlEnums;

/// Tag name of an element ("numcols", ..., "/replist", "invalidtag").
KROGUI_EXPORT QString RepListXmlTagName(TRepListXmlTag Tag);
/// The element a tag name stands for; xmlInvalid for any name outside the vocabulary.
KROGUI_EXPORT TRepListXmlTag RepListXmlTagOf(QStringView Name);

/// The signature word every report list's opening tag carries.
inline constexpr char RepListSignatureWord[] = "krolibset";

/// Tests one line of text: true when it contains "<replist" and "krolibset" (case ignored).
/// Id then receives the identifier: the text between the double quotes after "id=", with XML
/// character references decoded, blanks trimmed and in lower case; empty when there is none.
KROGUI_EXPORT bool RepListSignatureLine(QStringView Line, QString &Id);

/// Normalises a data identifier for comparison: trimmed and in lower case.
KROGUI_EXPORT QString RepListNormalizedId(const QString &DataID);

/// True when the text file FName holds a report list signature line for DataID (an empty DataID
/// accepts any list; identifiers compare without regard to case and surrounding blanks).
/// Raises EKRORLDataError when the file cannot be opened.
KROGUI_EXPORT bool CheckIfValidReplist(const QString &FName, const QString &DataID);
/// The same for a stream, read line by line from its current position; the stream is left after
/// the last line read. A null or unreadable stream gives false.
KROGUI_EXPORT bool CheckIfValidReplist(QIODevice *InStream, const QString &DataID);

} // namespace kro
