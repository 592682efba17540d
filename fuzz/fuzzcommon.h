#pragma once
// Shared helpers of the fuzz targets.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace krofuzz {

/// Creates the application object once (a QApplication on the offscreen platform when Widgets is
/// true, else a QCoreApplication). Call from LLVMFuzzerInitialize.
void InitApp(bool Widgets);

/// Reads the fuzz input from the front: fixed-size values, then the rest as text.
class TInput
{
public:
    TInput(const uint8_t *Data, size_t Size) : FData(Data), FSize(Size) {}
    bool Empty() const { return FPos >= FSize; }
    uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    int Int16() { return int(int16_t(uint16_t(Byte()) | uint16_t(Byte()) << 8)); }
    double Real();
    /// A text of up to MaxBytes bytes taken as UTF-8 (length byte first).
    QString ShortText(int MaxBytes);
    QByteArray RestBytes() const;
    QString RestText() const { return QString::fromUtf8(RestBytes()); }

private:
    const uint8_t *FData;
    size_t FSize;
    size_t FPos = 0;
};

/// Aborts with a message: a broken invariant the target checks is a finding like a crash.
[[noreturn]] void Fail(const char *What);
inline void Check(bool Ok, const char *What)
{
    if (!Ok) Fail(What);
}

} // namespace krofuzz
