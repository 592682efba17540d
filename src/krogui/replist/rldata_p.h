#pragma once
// Private state of TRLData. Not installed.

#include <krogui/data/stringarray.h>
#include <krogui/replist/rldata.h>

#include <memory>
#include <vector>

namespace kro {

struct TRLDataPrivate
{
    QString FComment;
    std::vector<QString> FColName;
    std::vector<TColFmtString> FColumnFormat;
    QString FCommonHeader;
    std::vector<quint8> FColButMode;
    int FNrOfCols = 1;
    int FNrOfRows = 0;
    int FSortColumn = -1;
    int FSortColumnSec = -1;
    bool FSortOrder = true;
    TBeforeSortExchgEvent FOnBefSortExc;
    QString FDataID;
    bool FSortToggle = true;
    TBeforeHTMLExportEvent FOnBefHTMLExport;
    int FFeedbkNumCells = 1;
    int FFeedbkStep = 1;
    TOnPercentDoneEvent FOnPercentDone;
    std::unique_ptr<TStringArray> FStrings;
    QString FLastError;
};

namespace rlimpl {

// Holds the store's change notification back while it lives (a bulk change of cells).
class TStoreQuiet
{
public:
    explicit TStoreQuiet(TStringArray *S) : FStore(S), FSaved(S->OnChange()) { S->SetOnChange(nullptr); }
    ~TStoreQuiet() { FStore->SetOnChange(std::move(FSaved)); }
    TStoreQuiet(const TStoreQuiet &) = delete;
    TStoreQuiet &operator=(const TStoreQuiet &) = delete;

private:
    TStringArray *FStore;
    TNotifyEvent FSaved;
};

} // namespace rlimpl

} // namespace kro
