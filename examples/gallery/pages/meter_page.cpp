// The analogue meter with live controls for value, range, scale, layout, thresholds, band and needles.
#include "gallery.h"

#include <krogui/gauges/meter.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace {

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TMeter: a scale with major and minor ticks, range band, caption, main and second needle with "
        "shadow, limit lamps (they light when the value crosses a threshold) and cover rims. Move the "
        "mouse over the meter to read the value under the pointer."));
    auto *meter = new kro::TMeter(page->Stage());
    meter->SetBounds(10, 10, 400, 290);
    meter->SetCaption(QStringLiteral("Pressure [bar]"));
    meter->FontCaption()->SetStyle(kro::fsBold);
    meter->SetMeterMaxValue(10);
    meter->SetMeterDecPlaces(0);
    meter->SetMeterNrTicks(5);
    meter->SetThresholdHigh(8);
    meter->SetThresholdLow(2);
    meter->SetScaleBkWidth(8);
    meter->SetScaleBkVisible(true);
    meter->NeedleLayout()->SetThickness(4);
    meter->NeedleLayout()->SetHeadSize(16);
    meter->NeedleLayout()->SetColorBody(kro::clRed);
    meter->NeedleLayout()->SetShadowDx(-3);
    meter->NeedleLayout()->SetShadowDy(-3);
    meter->NeedleLayoutSec()->SetColorBody(kro::clAqua);
    meter->NeedleLayoutSec()->SetPercentNeedleLength(70);
    meter->NeedleLayoutSec()->SetVisible(true);
    meter->SetValueSec(3);
    meter->SetValue(6.5);

    auto *readout = new QLabel(page->Stage());
    readout->setGeometry(10, 305, 400, 20);
    auto *rangeState = new QLabel(page->Stage());
    rangeState->setGeometry(10, 325, 400, 20);
    meter->SetOnMouseMoveInMeter([readout](QObject *, bool Within, kro::TShiftState, double V) {
        readout->setText(Within ? QStringLiteral("Pointer at %1").arg(V, 0, 'g', 4)
                                : QStringLiteral("Pointer outside the scale"));
    });
    meter->SetOnOverFlow([rangeState](QObject *) { rangeState->setText(QStringLiteral("Range: high")); });
    meter->SetOnNormalRange(
        [rangeState](QObject *) { rangeState->setText(QStringLiteral("Range: normal")); });
    meter->SetOnUnderFlow([rangeState](QObject *) { rangeState->setText(QStringLiteral("Range: low")); });

    // Value sliders work in thousandths of the current range.
    auto toValue = [meter](int Pos) {
        const double lo = meter->MeterMinValue(), hi = meter->MeterMaxValue();
        if (meter->Logarithmic()) return lo * std::pow(hi / lo, Pos / 1000.0);
        return lo + (hi - lo) * Pos / 1000.0;
    };
    auto *value = new QSlider(Qt::Horizontal);
    value->setRange(0, 1000);
    value->setValue(650);
    QObject::connect(value, &QSlider::valueChanged, meter, [=](int Pos) { meter->SetValue(toValue(Pos)); });
    page->AddEditor(QStringLiteral("Value"), value);

    auto *valueSec = new QSlider(Qt::Horizontal);
    valueSec->setRange(0, 1000);
    valueSec->setValue(300);
    QObject::connect(valueSec, &QSlider::valueChanged, meter,
                     [=](int Pos) { meter->SetValueSec(toValue(Pos)); });
    page->AddEditor(QStringLiteral("Second value"), valueSec);

    auto *secVisible = new QCheckBox(QStringLiteral("Second needle"));
    secVisible->setChecked(true);
    QObject::connect(secVisible, &QCheckBox::toggled, meter,
                     [meter](bool On) { meter->NeedleLayoutSec()->SetVisible(On); });
    page->AddRow(secVisible);

    auto *shadow = new QCheckBox(QStringLiteral("Needle shadow"));
    shadow->setChecked(true);
    QObject::connect(shadow, &QCheckBox::toggled, meter, [meter](bool On) {
        meter->NeedleLayout()->SetShadowDx(On ? -3 : 0);
        meter->NeedleLayout()->SetShadowDy(On ? -3 : 0);
    });
    page->AddRow(shadow);

    auto spin = [](double Lo, double Hi, double V) {
        auto *s = new QDoubleSpinBox;
        s->setRange(Lo, Hi);
        s->setDecimals(3);
        s->setValue(V);
        return s;
    };
    auto *minBox = spin(-1e6, 1e6, 0);
    auto *maxBox = spin(-1e6, 1e6, 10);
    auto *lowBox = spin(-1e6, 1e6, 2);
    auto *highBox = spin(-1e6, 1e6, 8);
    auto *logBox = new QCheckBox(QStringLiteral("Logarithmic"));
    // The setters cross-check range and thresholds; show what the meter kept.
    auto sync = [=] {
        for (QDoubleSpinBox *b : {minBox, maxBox, lowBox, highBox})
            b->blockSignals(true);
        minBox->setValue(meter->MeterMinValue());
        maxBox->setValue(meter->MeterMaxValue());
        lowBox->setValue(meter->ThresholdLow());
        highBox->setValue(meter->ThresholdHigh());
        for (QDoubleSpinBox *b : {minBox, maxBox, lowBox, highBox})
            b->blockSignals(false);
        logBox->blockSignals(true);
        logBox->setChecked(meter->Logarithmic());
        logBox->blockSignals(false);
    };
    QObject::connect(minBox, &QDoubleSpinBox::valueChanged, meter, [=](double V) {
        meter->SetMeterMinValue(V);
        sync();
    });
    QObject::connect(maxBox, &QDoubleSpinBox::valueChanged, meter, [=](double V) {
        meter->SetMeterMaxValue(V);
        sync();
    });
    QObject::connect(lowBox, &QDoubleSpinBox::valueChanged, meter, [=](double V) {
        meter->SetThresholdLow(V);
        sync();
    });
    QObject::connect(highBox, &QDoubleSpinBox::valueChanged, meter, [=](double V) {
        meter->SetThresholdHigh(V);
        sync();
    });
    QObject::connect(logBox, &QCheckBox::toggled, meter, [=](bool On) {
        meter->SetLogarithmic(On);
        sync();
    });
    page->AddEditor(QStringLiteral("Minimum"), minBox);
    page->AddEditor(QStringLiteral("Maximum"), maxBox);
    page->AddRow(logBox);
    page->AddEditor(QStringLiteral("Low threshold"), lowBox);
    page->AddEditor(QStringLiteral("High threshold"), highBox);

    auto *ticks = new QSpinBox;
    ticks->setRange(2, 21);
    ticks->setValue(meter->MeterNrTicks());
    QObject::connect(ticks, &QSpinBox::valueChanged, meter, [meter](int V) { meter->SetMeterNrTicks(V); });
    page->AddEditor(QStringLiteral("Major intervals"), ticks);

    auto *layout = new QComboBox;
    for (const char *name : {"mlCirc90", "mlCirc120", "mlCirc180", "mlCirc270", "mlCirc300", "mlCirc360"})
        layout->addItem(QString::fromLatin1(name));
    QObject::connect(layout, &QComboBox::currentIndexChanged, meter,
                     [meter](int I) { meter->SetMeterLayout(kro::TMeterLayout(I)); });
    page->AddEditor(QStringLiteral("Layout"), layout);

    auto *band = new QCheckBox(QStringLiteral("Range band"));
    band->setChecked(true);
    QObject::connect(band, &QCheckBox::toggled, meter, [meter](bool On) { meter->SetScaleBkVisible(On); });
    page->AddRow(band);
    auto *bandWidth = new QSpinBox;
    bandWidth->setRange(0, 100);
    bandWidth->setSuffix(QStringLiteral(" %"));
    bandWidth->setValue(8);
    QObject::connect(bandWidth, &QSpinBox::valueChanged, meter,
                     [meter](int V) { meter->SetScaleBkWidth(V); });
    page->AddEditor(QStringLiteral("Band width"), bandWidth);

    auto *caption = new QLineEdit(meter->Caption());
    QObject::connect(caption, &QLineEdit::textChanged, meter,
                     [meter](const QString &T) { meter->SetCaption(T); });
    page->AddEditor(QStringLiteral("Caption"), caption);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Meter"), 70, CreatePage);

} // namespace
