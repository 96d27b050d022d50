// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TKxDigit.h"

#include <QEnterEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <limits>

using DigitAction = std::function<void(TKxDigit &)>;
Q_DECLARE_METATYPE(DigitAction)

namespace {

const QColor red(255, 0, 0);
const QColor maroon(128, 0, 0);
const QColor black(0, 0, 0);

// The seven segments, probed in the middle of each stroke.
enum Segment { Top, UpperLeft, UpperRight, Middle, LowerLeft, LowerRight, Bottom };
const char *const segmentsOf[10] = {
    "TLRlrB", "Rr", "TRMlB", "TRMrB", "LMRr", "TLMrB", "TLMlrB", "TRr", "TLRMlrB", "TLRMrB",
};

QColor pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Compares the picture with `shown`: one character per cell, a space for an
// unlit cell, a digit for a lit one, and a '.' before the cell whose left
// edge carries the decimal point. Returns the first difference.
QString pictureProblem(const TKxDigit &display, const QString &shown)
{
    const QImage image = const_cast<TKxDigit &>(display).grab().toImage();
    QString cells = shown;
    const int dotCell = cells.indexOf(QLatin1Char('.'));
    cells.remove(QLatin1Char('.'));
    if (cells.size() != display.Digits())
        return QStringLiteral("expectation has %1 cells").arg(cells.size());

    const int h = display.height();
    const int p = h / display.PenWidthDivisor();
    const int pitch = int(h * display.DistanceMultiplicator());
    const int yt = p / 2 + 1, ym = h / 2 - 1, yb = h - 3 - p / 2;
    for (int c = 0; c < cells.size(); ++c) {
        const int xl = pitch * c + h / 8 - 1, xr = xl + (h - 4) / 2, xm = (xl + xr) / 2;
        const QPoint probes[7] = { {xm, yt}, {xl, (yt + ym) / 2}, {xr, (yt + ym) / 2}, {xm, ym},
                                   {xl, (ym + yb) / 2}, {xr, (ym + yb) / 2}, {xm, yb} };
        const QString lit = cells[c].isDigit() ? QString::fromLatin1(segmentsOf[cells[c].digitValue()]) : QString();
        const QString codes = QStringLiteral("TLRMlrB");
        for (int s = Top; s <= Bottom; ++s) {
            const QColor expected = lit.contains(codes[s]) ? red : maroon;
            if (pixel(image, probes[s].x(), probes[s].y()) != expected)
                return QStringLiteral("cell %1 segment %2 is %3").arg(c).arg(codes[s]).arg(pixel(image, probes[s].x(), probes[s].y()).name());
        }
        // Inside the two loops of the 8 and right of the cell: background.
        for (const QPoint &gap : { QPoint(xm, (yt + ym) / 2), QPoint(xm, (ym + yb) / 2), QPoint(xr + (pitch - (xr - xl)) / 2, ym) }) {
            if (gap.x() < image.width() && pixel(image, gap.x(), gap.y()) != black)
                return QStringLiteral("cell %1: background at %2,%3 is lit").arg(c).arg(gap.x()).arg(gap.y());
        }
        const int q = h / 10;
        const QColor dot = pixel(image, pitch * c - q / 2 + h / 30, h - 1 - q / 2);
        if (c > 0 && dot != (c == dotCell ? red : black))
            return QStringLiteral("cell %1: dot is %2").arg(c).arg(dot.name());
    }
    return QString();
}

} // namespace

class TstKxDigit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void newControl()
    {
        TKxDigit display;
        QCOMPARE(display.size(), QSize(191, 32));
        QCOMPARE(display.property("Digits").toInt(), 8);
        QCOMPARE(display.property("PenWidthDivisor").toInt(), 8);
        QCOMPARE(display.property("DistanceMultiplicator").toDouble(), 0.75);
        QCOMPARE(display.property("FixedDigits").toInt(), -1);
        QCOMPARE(display.property("BgColor").value<QColor>(), black);
        QCOMPARE(display.property("ActiveColor").value<QColor>(), red);
        QCOMPARE(display.property("InActiveColor").value<QColor>(), maroon);
        QVERIFY(display.property("Active").toBool() && display.property("Autosize").toBool());
        QVERIFY2(pictureProblem(display, "       0").isEmpty(), qPrintable(pictureProblem(display, "       0")));
    }

    void requiredWidth_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("multiplicator");
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("width");
        QTest::newRow("three cells") << 32 << 0.75 << 3 << 71;
        QTest::newRow("eight cells") << 32 << 0.75 << 8 << 191;
        QTest::newRow("taller") << 40 << 0.75 << 8 << 238;
        QTest::newRow("wider pitch") << 32 << 1.0 << 3 << 87;
    }
    void requiredWidth()
    {
        QFETCH(int, height);
        QFETCH(double, multiplicator);
        QFETCH(int, digits);
        QFETCH(int, width);
        QCOMPARE(TKxDigit::requiredWidth(height, multiplicator, digits), width);
    }

    void picture_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("fixedDigits");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("shown");
        QTest::newRow("seven on three cells") << 3 << 0 << 7.0 << "C" << true << "  7";
        QTest::newRow("2.7 as a whole number") << 3 << 0 << 2.7 << "C" << true << "  3";
        QTest::newRow("every glyph") << 10 << -1 << 1234567890.0 << "C" << true << "1234567890";
        QTest::newRow("half") << 8 << -1 << 0.5 << "C" << true << "      0.5";
        QTest::newRow("half, decimal comma") << 8 << -1 << 0.5 << "de_DE" << true << "      0.5";
        QTest::newRow("two decimals") << 8 << 2 << 12.5 << "de_DE" << true << "    12.50";
        QTest::newRow("smallest plain") << 8 << -1 << 0.00005 << "C" << true << "  0.00005";
        QTest::newRow("display off") << 8 << -1 << 0.5 << "C" << false << "        ";
    }
    void picture()
    {
        QFETCH(int, digits);
        QFETCH(int, fixedDigits);
        QFETCH(double, value);
        QFETCH(QString, locale);
        QFETCH(bool, active);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        TKxDigit display;
        display.setDigits(digits);
        display.setFixedDigits(fixedDigits);
        display.setActive(active);
        display.setValue(value);
        QCOMPARE(double(display.Value()), value);
        const QString problem = pictureProblem(display, shown);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void ignoredAssignment_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("fixedDigits");
        QTest::addColumn<double>("start");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("1000 on three cells") << 3 << 0 << 999.0 << QByteArray("Value") << QVariant(1000);
        QTest::newRow("counter at 0 decremented") << 3 << 0 << 0.0 << QByteArray("Value") << QVariant(-1);
        QTest::newRow("negative fraction") << 8 << -1 << 5.0 << QByteArray("Value") << QVariant(-0.5);
        QTest::newRow("tiny, exponent") << 20 << -1 << 5.0 << QByteArray("Value") << QVariant(1e-7);
        QTest::newRow("huge, exponent") << 30 << -1 << 5.0 << QByteArray("Value") << QVariant(1e20);
        QTest::newRow("16 whole digits") << 30 << -1 << 5.0 << QByteArray("Value") << QVariant(1e15);
        QTest::newRow("15 whole digits, fixed") << 30 << 0 << 5.0 << QByteArray("Value") << QVariant(1e14);
        QTest::newRow("infinity") << 30 << -1 << 5.0 << QByteArray("Value") << QVariant(inf);
        QTest::newRow("not a number") << 30 << -1 << 5.0 << QByteArray("Value") << QVariant(std::nan(""));
        QTest::newRow("pen divisor 0") << 3 << 0 << 5.0 << QByteArray("PenWidthDivisor") << QVariant(0);
        QTest::newRow("pen divisor -1") << 3 << 0 << 5.0 << QByteArray("PenWidthDivisor") << QVariant(-1);
        QTest::newRow("pitch 0") << 3 << 0 << 5.0 << QByteArray("DistanceMultiplicator") << QVariant(0.0);
        QTest::newRow("infinite pitch") << 3 << 0 << 5.0 << QByteArray("DistanceMultiplicator") << QVariant(inf);
        QTest::newRow("decimals -2") << 3 << 0 << 5.0 << QByteArray("FixedDigits") << QVariant(-2);
        QTest::newRow("no cells") << 3 << 0 << 5.0 << QByteArray("Digits") << QVariant(0);
        QTest::newRow("negative cells") << 3 << 0 << 5.0 << QByteArray("Digits") << QVariant(-3);
    }
    void ignoredAssignment()
    {
        QFETCH(int, digits);
        QFETCH(int, fixedDigits);
        QFETCH(double, start);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        TKxDigit display;
        display.setDigits(digits);
        display.setFixedDigits(fixedDigits);
        display.setValue(start);
        const QVariant before = display.property(property);
        const QImage picture = display.grab().toImage();
        const int renders = display.renderCount();

        display.setProperty(property, value);
        QCOMPARE(display.property(property), before);
        QCOMPARE(double(display.Value()), start);
        QCOMPARE(display.grab().toImage(), picture);
        QCOMPARE(display.renderCount(), renders);
    }

    void cellCountAndWidth_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("startWidth");
        QTest::addColumn<bool>("autosize");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("width");
        QTest::newRow("fewer cells keep the width") << 8 << 191 << false << 3 << 191;
        QTest::newRow("more cells widen") << 3 << 71 << false << 8 << 191;
        QTest::newRow("more cells fit already") << 3 << 300 << false << 8 << 300;
        QTest::newRow("fewer cells, autosize") << 8 << 191 << true << 3 << 71;
    }
    void cellCountAndWidth()
    {
        QFETCH(int, from);
        QFETCH(int, startWidth);
        QFETCH(bool, autosize);
        QFETCH(int, to);
        QFETCH(int, width);
        TKxDigit display;
        display.setDigits(from);
        display.setAutosize(autosize);
        display.resize(startWidth, 32);
        display.setDigits(to);
        QCOMPARE(display.width(), width);
        const QImage image = display.grab().toImage();
        QCOMPARE(image.width(), width);
        QCOMPARE(pixel(image, width - 1, 15), black);
    }

    void autosizeFollowsHeight()
    {
        QWidget host;
        TKxDigit display(&host);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        display.resize(191, 40);
        QCOMPARE(display.width(), 238);
        display.setAutosize(false);
        display.resize(300, 32);
        QCOMPARE(display.width(), 300);
        display.setAutosize(true);
        QCOMPARE(display.width(), 191);
    }

    void rendering_data()
    {
        QTest::addColumn<DigitAction>("action");
        QTest::addColumn<int>("rendersAtOnce");
        QTest::addColumn<int>("rendersAfterPaint");
        QTest::newRow("nothing changed") << DigitAction([](TKxDigit &) {}) << 0 << 0;
        QTest::newRow("height alone") << DigitAction([](TKxDigit &d) { d.resize(d.width(), 40); }) << 0 << 1;
        QTest::newRow("same pen divisor") << DigitAction([](TKxDigit &d) { d.setPenWidthDivisor(8); }) << 1 << 1;
        QTest::newRow("same pitch") << DigitAction([](TKxDigit &d) { d.setDistanceMultiplicator(0.75L); }) << 1 << 1;
        QTest::newRow("same value") << DigitAction([](TKxDigit &d) { d.setValue(0); }) << 1 << 1;
        QTest::newRow("refused value") << DigitAction([](TKxDigit &d) { d.setValue(-1); }) << 0 << 0;
        QTest::newRow("same Active") << DigitAction([](TKxDigit &d) { d.setActive(true); }) << 0 << 0;
        QTest::newRow("display off") << DigitAction([](TKxDigit &d) { d.setActive(false); }) << 1 << 1;
        QTest::newRow("same colour") << DigitAction([](TKxDigit &d) { d.setBgColor(Qt::black); }) << 0 << 0;
        QTest::newRow("new colour") << DigitAction([](TKxDigit &d) { d.setActiveColor(Qt::green); }) << 1 << 1;
        QTest::newRow("same decimals") << DigitAction([](TKxDigit &d) { d.setFixedDigits(-1); }) << 0 << 0;
        QTest::newRow("new decimals") << DigitAction([](TKxDigit &d) { d.setFixedDigits(1); }) << 1 << 1;
        QTest::newRow("same cell count") << DigitAction([](TKxDigit &d) { d.setDigits(8); }) << 0 << 0;
        QTest::newRow("Autosize again") << DigitAction([](TKxDigit &d) { d.setAutosize(true); }) << 0 << 0;
    }
    void rendering()
    {
        QFETCH(DigitAction, action);
        QFETCH(int, rendersAtOnce);
        QFETCH(int, rendersAfterPaint);
        QWidget host;
        TKxDigit display(&host);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        display.repaint();
        const int before = display.renderCount();

        action(display);
        QCOMPARE(display.renderCount() - before, rendersAtOnce);
        display.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(display.renderCount() - before, rendersAfterPaint);
        QCOMPARE(display.renderedImage().size(), display.size());
    }

    void hiddenControlRendersWhenNextPainted()
    {
        TKxDigit display;
        display.grab();
        const int before = display.renderCount();
        display.setDigits(3);
        display.setValue(7);
        QCOMPARE(display.renderCount(), before);
        QVERIFY(pictureProblem(display, "  7").isEmpty());
        QCOMPARE(display.renderCount(), before + 1);
    }

    void digitText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("fixedDigits");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text"); // empty: refused
        QTest::newRow("zero") << 0.0 << -1 << "C" << "0";
        QTest::newRow("negative zero") << -0.0 << -1 << "C" << "0";
        QTest::newRow("half, comma") << 0.5 << -1 << "de_DE" << "0,5";
        QTest::newRow("fifteen digits") << 1.0 / 3 << -1 << "C" << "0.333333333333333";
        QTest::newRow("15 whole digits") << 123456789012345.0 << -1 << "C" << "123456789012345";
        QTest::newRow("rounds up to 10^15") << 999999999999999.9 << -1 << "C" << "";
        QTest::newRow("0.00001") << 0.00001 << -1 << "C" << "0.00001";
        QTest::newRow("below 0.00001") << 0.000009 << -1 << "C" << "";
        QTest::newRow("halves round up") << 2.5 << 0 << "C" << "3";
        QTest::newRow("carry") << 9.99 << 1 << "C" << "10.0";
        QTest::newRow("14 significant digits") << 0.1 << 20 << "C" << "0.10000000000000000000";
        QTest::newRow("tiny, fixed") << 1e-7 << 2 << "C" << "0.00";
        QTest::newRow("14 whole digits, fixed") << 99999999999999.0 << 0 << "C" << "99999999999999";
        QTest::newRow("negative") << -1.0 << 0 << "C" << "";
    }
    void digitText()
    {
        QFETCH(double, value);
        QFETCH(int, fixedDigits);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        const auto result = TKxDigit::digitText(value, fixedDigits);
        QCOMPARE(result ? result->text : QString(), text);
        if (result) {
            QString digits = text;
            digits.remove(QRegularExpression(QStringLiteral("[.,]")));
            QCOMPARE(result->digits, digits);
            QCOMPARE(result->separatorPosition, int(text.indexOf(QRegularExpression(QStringLiteral("[.,]"))) + 1));
        }
    }

    void propertiesByName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Value from an int") << QByteArray("Value") << QVariant(7);
        QTest::newRow("Value from a double") << QByteArray("Value") << QVariant(0.25);
        QTest::newRow("Digits") << QByteArray("Digits") << QVariant(3);
        QTest::newRow("DistanceMultiplicator") << QByteArray("DistanceMultiplicator") << QVariant(1.5);
        QTest::newRow("InActiveColor") << QByteArray("InActiveColor") << QVariant(QColor(Qt::darkGreen));
        QTest::newRow("Autosize") << QByteArray("Autosize") << QVariant(false);
    }
    void propertiesByName()
    {
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        TKxDigit display;
        QVERIFY(display.setProperty(name, value));
        QVERIFY(display.property(name) == value);
    }

    void mouseNotifications()
    {
        TKxDigit display;
        QSignalSpy entered(&display, &TKxDigit::MouseEnter);
        QSignalSpy left(&display, &TKxDigit::MouseLeave);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&display, &enter);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&display, &leave);
        QCOMPARE(entered.size(), 1);
        QCOMPARE(left.size(), 1);
        QCOMPARE(entered.at(0).at(0).value<QObject *>(), &display);
        QCOMPARE(left.at(0).at(0).value<QObject *>(), &display);
    }
};

QTEST_MAIN(TstKxDigit)
#include "tst_kxdigit.moc"
