// The column format language: taking a format apart and deriving cell defaults from it.
#include "fuzzcommon.h"

#include <krogui/replist/colformat.h>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const int row = in.Int16();
    const int pos = in.Int16();
    const QString fmt = in.RestText();
    const kro::TColFormat f = kro::ParseColFormat(fmt);
    krofuzz::Check(f.Width >= 1, "ParseColFormat gave a width below 1");
    krofuzz::Check(f.DropDownCount >= 0, "negative drop-down count");
    (void)kro::ColFmtIntegerAt(fmt, pos);
    (void)kro::ColFmtKindDefault(f.Kind, f.DefaultPart, row);
    (void)kro::ColFmtCellDefault(fmt, row);
    return 0;
}
