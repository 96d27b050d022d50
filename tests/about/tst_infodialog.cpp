// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/InfoBanner.h"
#include "about/TInfo.h"
#include "controls/TPaintBox.h"
#include "platform/SystemFont.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace {

// Takes the links that the dialog hands to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void open(const QUrl &url) { urls << url.toString(); }
    QStringList urls;
};

QIcon solidIcon(const QColor &color)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QColor gradientAt(int x)
{
    return x <= 326 ? colorFromValue(MixColor(bannerBlue, bannerWhite, x, 326))
                    : colorFromValue(MixColor(bannerWhite, bannerBlue, x - 326, 109));
}

QColor rgbAt(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y)).toRgb();
}

// Runs the body while ShowInfo holds the dialog open, then closes it.
void whileShown(const std::function<void()> &body, const QString &name = QStringLiteral("Lettrisko v2.0"),
                const QIcon &icon = solidIcon(QColor(0, 128, 0)))
{
    bool ran = false;
    QTimer::singleShot(0, Info, [&] {
        QTRY_VERIFY(Info->isVisible());
        ran = true;
        body();
        if (Info->isVisible())
            Info->OK->click();
    });
    ShowInfo(name, QStringLiteral("2001-2003"), icon);
    QVERIFY(ran);
}

} // namespace

class TestInfoDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void mixColor_data();
    void mixColor();
    void bannerLayout_data();
    void bannerLayout();

    void dialogGeometry();
    void captionAndTexts();
    void bannerColours_data();
    void bannerColours();
    void logoCombinedThroughItsMask();
    void textsStandInTheirPlaces();
    void enterAndEscClose_data();
    void enterAndEscClose();
    void linkStates();
    void linkClicksOpenTheDesktop_data();
    void linkClicksOpenTheDesktop();
    void logoForTheStartPage();

private:
    QImage shownBanner();
    UrlCatcher m_catcher;
};

void TestInfoDialog::init()
{
    Info = new TInfo;
    m_catcher.urls.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_catcher, "open");
}

void TestInfoDialog::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    delete Info;
    QVERIFY(!Info);
}

void TestInfoDialog::mixColor_data()
{
    QTest::addColumn<quint32>("from");
    QTest::addColumn<quint32>("to");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<quint32>("mixed");
    QTest::newRow("first step is from") << bannerBlue << bannerWhite << 0 << 326 << bannerBlue;
    QTest::newRow("last step is to") << bannerBlue << bannerWhite << 326 << 326 << bannerWhite;
    QTest::newRow("halfway, truncated") << bannerBlue << bannerWhite << 163 << 326 << quint32(0xFFCFA4);
    QTest::newRow("right edge of the banner") << bannerWhite << bannerBlue << 108 << 109 << quint32(0xFFA14C);
    QTest::newRow("falling channel truncates toward zero") << quint32(0x000010) << quint32(0) << 1 << 3
                                                           << quint32(0x00000B);
    QTest::newRow("channels apart") << quint32(0x0000FF) << quint32(0xFF0000) << 1 << 2 << quint32(0x7F0080);
    QTest::newRow("no steps") << quint32(0x123456) << quint32(0xFFFFFF) << 0 << 0 << quint32(0x123456);
    QTest::newRow("step past the end stays in its channel") << quint32(0x0000F0) << quint32(0x0000FF) << 9 << 1
                                                            << quint32(0x0000FF);
}

void TestInfoDialog::mixColor()
{
    QFETCH(quint32, from);
    QFETCH(quint32, to);
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(quint32, mixed);
    QCOMPARE(QString::number(MixColor(from, to, step, steps), 16), QString::number(mixed, 16));
}

void TestInfoDialog::bannerLayout_data()
{
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("icon");
    QTest::addColumn<int>("boldHeight");
    QTest::addColumn<int>("regularHeight");
    QTest::addColumn<int>("leftSteps");
    QTest::addColumn<int>("rightSteps");
    QTest::addColumn<QPoint>("logo");
    QTest::addColumn<QPoint>("iconAt");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<int>("textX");
    QTest::addColumn<int>("nameY");
    QTest::addColumn<int>("versionY");
    QTest::addColumn<int>("periodY");

    QTest::newRow("the dialog's banner") << QSize(435, 65) << QSize(32, 32) << 13 << 13 << 326 << 109
                                         << QPoint(255, 4) << QPoint(8, 16) << QRect(QPoint(7, 15), QPoint(39, 47))
                                         << 48 << 13 << 26 << 38;
    QTest::newRow("small icon, odd heights") << QSize(435, 65) << QSize(16, 16) << 15 << 13 << 326 << 109
                                             << QPoint(255, 4) << QPoint(8, 24) << QRect(QPoint(7, 23), QPoint(23, 39))
                                             << 32 << 10 << 26 << 38;
    QTest::newRow("narrow box") << QSize(101, 40) << QSize(32, 32) << 16 << 14 << 75 << 26 << QPoint(4, 4)
                                << QPoint(8, 4) << QRect(QPoint(7, 3), QPoint(39, 35)) << 48 << -4 << 13 << 27;
}

void TestInfoDialog::bannerLayout()
{
    QFETCH(QSize, box);
    QFETCH(QSize, icon);
    QFETCH(int, boldHeight);
    QFETCH(int, regularHeight);
    const BannerLayout layout = ::bannerLayout(box, QSize(142, 63), icon, boldHeight, regularHeight, regularHeight);
    QTEST(layout.leftSteps, "leftSteps");
    QTEST(layout.rightSteps, "rightSteps");
    QTEST(layout.logo, "logo");
    QTEST(layout.icon, "iconAt");
    QTEST(layout.iconFrame, "frame");
    QTEST(layout.textX, "textX");
    QTEST(layout.nameY, "nameY");
    QTEST(layout.versionY, "versionY");
    QTEST(layout.periodY, "periodY");
}

void TestInfoDialog::dialogGeometry()
{
    QCOMPARE(Info->size(), QSize(435, 132));
    QCOMPARE(Info->minimumSize(), Info->maximumSize());
    QCOMPARE(Info->findChild<TPaintBox *>(QStringLiteral("LogoPB"))->geometry(), QRect(0, 0, 435, 65));

    auto *ok = Info->findChild<QPushButton *>(QStringLiteral("OK"));
    QVERIFY(ok);
    QCOMPARE(ok->geometry(), QRect(177, 101, 81, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());

    struct Place { const char *name; int right; int top; };
    for (const Place &place : {Place{"InfoLbl", 430, 69}, Place{"EMailLbl", 432, 100}, Place{"URLLbl", 432, 113}}) {
        auto *label = Info->findChild<QLabel *>(QLatin1String(place.name));
        QVERIFY2(label, place.name);
        QCOMPARE(label->x() + label->width(), place.right);
        QCOMPARE(label->y(), place.top);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        QCOMPARE(label->font().pixelSize(), 11);
        QCOMPARE(label->font().families().value(0), QStringLiteral("MS Sans Serif"));
    }
    // Children in the order the dialog builds them.
    QStringList order;
    for (QObject *child : Info->children())
        if (child->isWidgetType())
            order << child->objectName();
    QCOMPARE(order, (QStringList{"LogoPB", "InfoLbl", "EMailLbl", "URLLbl", "OK"}));
    // The dialog itself takes the desktop's family at 8 points.
    QCOMPARE(Info->font().family(), messageFont().family());
    QCOMPARE(Info->font().pixelSize(), 11);
}

void TestInfoDialog::captionAndTexts()
{
    whileShown([] {
        QCOMPARE(QApplication::activeModalWidget(), Info);
        QCOMPARE(Info->windowTitle(), QStringLiteral("Info über Lettrisko v2.0"));
        QCOMPARE(Info->programName(), QStringLiteral("Lettrisko v2.0"));
        QCOMPARE(Info->period(), QStringLiteral("2001-2003"));
        // A screen reader reads the painted banner's lines.
        QAccessibleTextInterface *banner = QAccessible::queryAccessibleInterface(Info->LogoPB)->textInterface();
        QCOMPARE(banner->text(0, banner->characterCount()),
                 QStringLiteral("Lettrisko v2.0, Version: 2.0.0.0, Entwicklungszeit: 2001-2003"));
    });
    QCOMPARE(ReadFileVersion(), QStringLiteral("2.0.0.0"));
    QVERIFY(Info->InfoLbl->text().contains(QLatin1String("Kx Software")));
    QCOMPARE(Info->EMailLbl->text(), QStringLiteral("info@kx-software.example"));
    QCOMPARE(Info->URLLbl->text(), QStringLiteral("www.kx-software.example"));
}

QImage TestInfoDialog::shownBanner()
{
    QImage banner;
    whileShown([&] { banner = Info->LogoPB->grab().toImage(); });
    return banner;
}

void TestInfoDialog::bannerColours_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("color");
    const QColor blue(74, 160, 255);
    const QColor green(0, 128, 0);
    QTest::newRow("blue at the left edge") << QPoint(0, 2) << blue;
    QTest::newRow("blue at the left edge, bottom") << QPoint(0, 64) << blue;
    QTest::newRow("white at x 326") << QPoint(326, 2) << QColor(255, 255, 255);
    QTest::newRow("almost blue at x 434") << QPoint(434, 2) << QColor(76, 161, 255);
    QTest::newRow("almost blue at x 434, bottom") << QPoint(434, 64) << QColor(76, 161, 255);
    QTest::newRow("midway left") << QPoint(163, 2) << QColor(164, 207, 255);
    QTest::newRow("icon top left") << QPoint(8, 16) << green;
    QTest::newRow("icon inside") << QPoint(38, 46) << green;
    QTest::newRow("outside the frame") << QPoint(6, 14) << gradientAt(6);
    QTest::newRow("below right of the frame") << QPoint(40, 48) << gradientAt(40);
    QTest::newRow("left of the icon") << QPoint(7, 30) << QColor();
    QTest::newRow("frame top left") << QPoint(7, 15) << QColor();
    QTest::newRow("frame top right") << QPoint(39, 15) << QColor();
    QTest::newRow("frame on the icon's last column") << QPoint(39, 30) << QColor();
    QTest::newRow("frame on the icon's last row") << QPoint(20, 47) << QColor();
    QTest::newRow("frame bottom left") << QPoint(7, 47) << QColor();
}

void TestInfoDialog::bannerColours()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, color);
    // An invalid colour stands for the window's face colour of the frame.
    const QColor expected = color.isValid() ? color : Info->palette().color(QPalette::Window).toRgb();
    const QImage banner = shownBanner();
    QCOMPARE(banner.size(), QSize(435, 65));
    QCOMPARE(rgbAt(banner, at.x(), at.y()), expected);
}

void TestInfoDialog::logoCombinedThroughItsMask()
{
    const QImage logo = QImage(QStringLiteral(":/images/logo.png")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(logo.size(), QSize(142, 63));
    const QImage banner = shownBanner();

    QPoint white(-1, -1), black(-1, -1), colored(-1, -1);
    for (int y = 0; y < 61; ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const QRgb pixel = logo.pixel(x, y) & 0xFFFFFF;
            const QRgb ground = gradientAt(255 + x).rgb() & 0xFFFFFF;
            const QRgb shown = banner.pixel(255 + x, 4 + y) & 0xFFFFFF;
            QCOMPARE(QString::number(shown, 16), QString::number(ground & pixel, 16));
            if (pixel == 0xFFFFFF && white.x() < 0)
                white = QPoint(x, y);
            else if (pixel == 0 && black.x() < 0)
                black = QPoint(x, y);
            else if (pixel != 0 && pixel != 0xFFFFFF && colored.x() < 0)
                colored = QPoint(x, y);
        }
    }
    QVERIFY(white.x() >= 0 && black.x() >= 0 && colored.x() >= 0);
    QCOMPARE(rgbAt(banner, 255 + white.x(), 4 + white.y()), gradientAt(255 + white.x()));
    QCOMPARE(rgbAt(banner, 255 + black.x(), 4 + black.y()), QColor(0, 0, 0));
    QVERIFY(rgbAt(banner, 255 + colored.x(), 4 + colored.y()) != gradientAt(255 + colored.x()));
}

void TestInfoDialog::textsStandInTheirPlaces()
{
    const QImage banner = shownBanner();
    const QFont regular = Info->LogoPB->font();
    QFont bold = regular;
    bold.setBold(true);
    const int boldHeight = QFontMetrics(bold).height();
    const int height = QFontMetrics(regular).height();
    const BannerLayout layout = ::bannerLayout(QSize(435, 65), QSize(142, 63), QSize(32, 32), boldHeight, height, height);
    QCOMPARE(layout.textX, 48);

    // Ink: pixels far darker than the gradient under them.
    const auto inkIn = [&](int left, int right, int top, int bottom) {
        int count = 0;
        for (int y = qMax(0, top); y < qMin(65, bottom); ++y)
            for (int x = left; x < right; ++x)
                if (qGray(banner.pixel(x, y)) < qGray(gradientAt(x).rgb()) - 60)
                    ++count;
        return count;
    };
    QCOMPARE(inkIn(41, 48, 0, 65), 0);
    QVERIFY(inkIn(48, 250, layout.nameY, layout.nameY + boldHeight) > 0);
    QVERIFY(inkIn(48, 250, layout.versionY, layout.versionY + height) > 0);
    QVERIFY(inkIn(48, 250, layout.periodY, layout.periodY + height) > 0);
    QCOMPARE(inkIn(48, 250, 0, layout.nameY), 0);
    QCOMPARE(inkIn(48, 250, layout.periodY + height, 65), 0);
    // The bold name is wider than the same text in regular type would be.
    QVERIFY(QFontMetrics(bold).horizontalAdvance(QStringLiteral("Lettrisko v2.0"))
            > QFontMetrics(regular).horizontalAdvance(QStringLiteral("Lettrisko v2.0")));
}

void TestInfoDialog::enterAndEscClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestInfoDialog::enterAndEscClose()
{
    QFETCH(int, key);
    QSignalSpy okPressed(Info->OK, &QPushButton::clicked);
    bool sent = false;
    QTimer::singleShot(0, Info, [&] {
        QTRY_VERIFY(Info->isVisible());
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : Info;
        sent = true;
        QTest::keyClick(target, Qt::Key(key));
        // Should the key be ignored, close the dialog to end the test.
        QTimer::singleShot(2000, Info, [] { Info->done(QDialog::Rejected); });
    });
    ShowInfo(QStringLiteral("Lettrisko v2.0"), QStringLiteral("2001-2003"), solidIcon(Qt::green));
    QVERIFY(sent);
    QVERIFY(!Info->isVisible());
    QCOMPARE(Info->result(), int(QDialog::Accepted));
    QCOMPARE(okPressed.count(), 1);
}

void TestInfoDialog::linkStates()
{
    Info->setProgram(QStringLiteral("Lettrisko v2.0"), QStringLiteral("2001-2003"), solidIcon(Qt::green));
    Info->show();
    QVERIFY(QTest::qWaitForWindowExposed(Info));

    for (QLabel *link : {Info->EMailLbl, Info->URLLbl}) {
        const auto color = [link] { return link->palette().color(QPalette::WindowText).toRgb(); };
        QCOMPARE(color(), QColor(0, 0, 255));
        QVERIFY(!link->font().underline());

        QTest::mouseMove(link, link->rect().center());
        QTRY_VERIFY(link->font().underline());
        QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
        QCOMPARE(color(), QColor(255, 0, 0));
        QVERIFY(link->font().underline());
        QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
        QCOMPARE(color(), QColor(0, 0, 255));

        // Any button turns the link red while it is held.
        QTest::mousePress(link, Qt::RightButton, Qt::NoModifier, link->rect().center());
        QCOMPARE(color(), QColor(255, 0, 0));
        QTest::mouseRelease(link, Qt::RightButton, Qt::NoModifier, link->rect().center());
        QCOMPARE(color(), QColor(0, 0, 255));

        QTest::mouseMove(Info->LogoPB, QPoint(200, 30));
        QTRY_VERIFY(!link->font().underline());
        // Only the style changes: the link keeps its face and size.
        QCOMPARE(link->font().pixelSize(), 11);
        QCOMPARE(link->font().families().value(0), QStringLiteral("MS Sans Serif"));
    }
}

void TestInfoDialog::linkClicksOpenTheDesktop_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("releasedOutside");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("e-mail") << "EMailLbl" << int(Qt::LeftButton) << false
                            << QStringList{"mailto:info@kx-software.example"};
    QTest::newRow("web") << "URLLbl" << int(Qt::LeftButton) << false << QStringList{"http://www.kx-software.example"};
    QTest::newRow("right button") << "URLLbl" << int(Qt::RightButton) << false << QStringList{};
    QTest::newRow("released outside") << "EMailLbl" << int(Qt::LeftButton) << true << QStringList{};
}

void TestInfoDialog::linkClicksOpenTheDesktop()
{
    QFETCH(QString, link);
    QFETCH(int, button);
    QFETCH(bool, releasedOutside);
    QFETCH(QStringList, opened);

    Info->show();
    QVERIFY(QTest::qWaitForWindowExposed(Info));
    auto *label = Info->findChild<QLabel *>(link);
    QVERIFY(label);
    QTest::mousePress(label, Qt::MouseButton(button), Qt::NoModifier, label->rect().center());
    const QPoint releaseAt = releasedOutside ? QPoint(-20, label->height() / 2) : label->rect().center();
    QTest::mouseRelease(label, Qt::MouseButton(button), Qt::NoModifier, releaseAt);
    QCOMPARE(m_catcher.urls, opened);
    QCOMPARE(label->palette().color(QPalette::WindowText).toRgb(), QColor(0, 0, 255));
}

void TestInfoDialog::logoForTheStartPage()
{
    const QPixmap logo = Info->logoPicture();
    QCOMPARE(logo.size(), QSize(142, 63));
    // The picture itself, not the mask: its first pixel is the white ground.
    QCOMPARE(logo.toImage().pixelColor(0, 0).toRgb(), QColor(255, 255, 255));
}

QTEST_MAIN(TestInfoDialog)
#include "tst_infodialog.moc"
