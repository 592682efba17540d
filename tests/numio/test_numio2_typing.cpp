// TNumIO2 typed and pasted as a user does it: text and Value always agree.
#include "numio_testutil.h"

#include <krogui/numio/numio2.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace kro;

namespace {

class NumIO2Typing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Window.resize(300, 60);
        N = new TNumIO2(&Window);
        N->SetBounds(0, 0, 160, 28);
        Window.show();
        QApplication::setActiveWindow(&Window);
        N->setFocus();
    }
    void Type(const QString &Keys) { QTest::keyClicks(N, Keys); }
    void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(N, K, M); }
    void Paste(const QString &Clip)
    {
        QApplication::clipboard()->setText(Clip);
        Key(Qt::Key_V, Qt::ControlModifier);
    }
    QWidget Window;
    TNumIO2 *N = nullptr;
};

} // namespace

TEST_F(NumIO2Typing, IntegerOverflowKeepsItsSign)
{
    N->SetInputFormat(itInt);
    N->SetText(QStringLiteral("-99999999999"));
    EXPECT_EQ(N->Value(), -2147483648.0);
    N->SetText(QStringLiteral("99999999999"));
    EXPECT_EQ(N->Value(), 2147483647.0);
}

TEST_F(NumIO2Typing, PasteDropsSurroundingBlanksAndRefusesJunk)
{
    N->SetInputFormat(itInt);
    for (const char *clip : {"42 ", "42\n", "42\r\n", " \t42"}) {
        N->SetText(QString());
        Paste(QString::fromLatin1(clip));
        EXPECT_EQ(N->Text(), "42") << clip;
        EXPECT_EQ(N->Value(), 42);
    }
    N->SetInputFormat(itExp);
    N->SetText(QString());
    Type("1");
    Key(Qt::Key_A);
    Key(Qt::Key_B);
    Key(Qt::Key_C);
    EXPECT_EQ(N->Text(), "1");
    Paste(QStringLiteral("2x"));
    EXPECT_EQ(N->Text(), "1");
}

TEST_F(NumIO2Typing, FixedPointFieldTakesANumberTypedIntoIt)
{
    N->SetInputFormat(itFixPoint);
    N->SetFixPointDecPlaces(2);
    N->SetText(QString());
    Type("3");
    EXPECT_DOUBLE_EQ(N->Value(), 3.0);
    Type(".25");
    EXPECT_EQ(N->Text(), "3.25");

    N->SetText(QStringLiteral("0.00"));
    N->SetSelBegin(0);
    N->SetSelEnd(4);
    Type("3");
    EXPECT_DOUBLE_EQ(N->Value(), 3.0);
    EXPECT_EQ(N->Text(), "3.00");

    // Backspace inside the decimals clears that digit to 0.
    N->SetText(QStringLiteral("1.25"));
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(N->Text(), "1.20");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(N->Text(), "1.00");
}
