// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The wizard's window: its pages and controls with their places and texts,
// the step list, showing and closing.
#include "update/TStatusForm.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TPaintBox.h"
#include "controls/TSpinEdit.h"
#include "controls/TWinXP.h"
#include "platform/NetworkState.h"
#include "update/THttpClient.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>

namespace {

constexpr int kClientWidth = 658;
constexpr int kClientHeight = 353;
constexpr int kStandardButtons = 0;
constexpr int kSettingsButtons = 1;

const QColor kTitleColor(49, 106, 197);
const QColor kStepListColor(155, 183, 230);
const QColor kDisabledTextColor(120, 120, 120);

QFont windowFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    return font;
}

// Labels read from the top left, as many lines as their text needs. Texts
// from the update server never count as markup.
QLabel *textLabel(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(place);
    return label;
}

// A one-line label whose size follows its text.
QLabel *shortLabel(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    auto *result = named(new QPushButton(caption, parent), name);
    result->setGeometry(place);
    return result;
}

TImage *systemIcon(QWidget *parent, const char *name, int x, int y)
{
    auto *image = named(new TImage(parent), name);
    image->setGeometry(x, y, 32, 32);
    return image;
}

QPixmap systemIconPicture(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which).pixmap(32, 32);
}

} // namespace

QString TStatusForm::stepTitle(int step)
{
    static const QString titles[] = {
        QStringLiteral("Willkommen"),
        QStringLiteral("Auf neue Updates prüfen"),
        QStringLiteral("Ergebnis der Prüfung"),
        QStringLiteral("Download der Updates"),
        QStringLiteral("Installieren"),
        QStringLiteral("Abschließen der Installation"),
    };
    return step >= TStatusForm::WelcomePage && step <= TStatusForm::FinishPage ? titles[step] : QString();
}

TStatusForm::TStatusForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , connectionCheck(InternetGetConnectedState)
{
    m_session = new UpdateSession(this);
    createControls();
    FormCreate();
}

TStatusForm::~TStatusForm()
{
    FormDestroy();
}

void TStatusForm::createControls()
{
    setObjectName(QStringLiteral("StatusForm"));
    setWindowTitle(QStringLiteral("Updates installieren"));
    setWindowIcon(QIcon(QStringLiteral(":/images/lettrisko.png")));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(windowFont());
    // The wizard's own white, with text that stays readable on it whatever
    // the desktop's colours; its buttons keep the desktop's.
    setAutoFillBackground(true);
    QPalette white = palette();
    for (QPalette::ColorRole ground : {QPalette::Window, QPalette::Base})
        white.setColor(ground, Qt::white);
    for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text}) {
        white.setColor(text, Qt::black);
        white.setColor(QPalette::Disabled, text, kDisabledTextColor);
    }
    setPalette(white);

    WinXP = named(new TWinXP(this), "WinXP");

    THttpClient *http = m_session->http();
    http->setObjectName(QStringLiteral("HTTP"));
    http->Port = 21;
    http->TimeOut = 10000;
    http->ReportLevel = 0;
    http->Body = QStringLiteral("Default.htm");
    http->Header = QStringLiteral("Head.txt");
    http->InputFileMode = true;
    http->OutputFileMode = false;
    http->ProxyPort = 0;
    connect(http, &THttpClient::Failure, this, &TStatusForm::HTTPFailure);
    connect(http, &THttpClient::ConnectionFailed, this, &TStatusForm::HTTPConnectionFailed);

    PaintBox_Process = named(new TPaintBox(this), "PaintBox_Process");
    PaintBox_Process->setGeometry(0, 0, 225, kClientHeight);
    connect(PaintBox_Process, &TPaintBox::Paint, this, &TStatusForm::PaintBox_ProcessPaint);

    Panel_Title = named(new QLabel(this), "Panel_Title");
    Panel_Title->setTextFormat(Qt::PlainText);
    Panel_Title->setGeometry(232, 8, 417, 41);
    Panel_Title->setAlignment(Qt::AlignCenter);
    Panel_Title->setAutoFillBackground(true);
    QPalette title = Panel_Title->palette();
    title.setColor(QPalette::Window, kTitleColor);
    title.setColor(QPalette::WindowText, Qt::white);
    Panel_Title->setPalette(title);
    QFont titleFont = windowFont();
    titleFont.setPixelSize(19);
    titleFont.setBold(true);
    Panel_Title->setFont(titleFont);

    Pages = named(new QStackedWidget(this), "Pages");
    Pages->setGeometry(232, 56, 417, 249);
    createPages();

    Bevel1 = named(new QFrame(this), "Bevel1");
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(232, 312, 417, 2);

    Button_Settings = button(this, "Button_Settings", QStringLiteral("Einstellungen"), {240, 320, 97, 25});
    connect(Button_Settings, &QPushButton::clicked, this, &TStatusForm::Button_SettingsClick);

    Notebook_StdButtons = named(new QStackedWidget(this), "Notebook_StdButtons");
    Notebook_StdButtons->setGeometry(456, 314, 193, 37);
    auto *standard = named(new QWidget, "Standard");
    Button_Next = button(standard, "Button_Next", QStringLiteral("Weiter >"), {96, 6, 89, 25});
    Button_Cancel = button(standard, "Button_Cancel", QStringLiteral("Abbrechen"), {0, 6, 89, 25});
    auto *settings = named(new QWidget, "Einstellungen");
    Button_SettingsCancel = button(settings, "Button_SettingsCancel", QStringLiteral("Abbrechen"), {0, 6, 89, 25});
    Button_SettingsSave = button(settings, "Button_SettingsSave", QStringLiteral("Speichern"), {96, 6, 89, 25});
    Notebook_StdButtons->addWidget(standard);
    Notebook_StdButtons->addWidget(settings);
    connect(Button_Next, &QPushButton::clicked, this, &TStatusForm::Button_NextClick);
    connect(Button_Cancel, &QPushButton::clicked, this, &TStatusForm::Button_CancelClick);
    connect(Button_SettingsCancel, &QPushButton::clicked, this, &TStatusForm::Button_SettingsCancelClick);
    connect(Button_SettingsSave, &QPushButton::clicked, this, &TStatusForm::Button_SettingsSaveClick);

    // Both page sets switch when the settings open and close: the focus
    // follows only once both stand.
    connect(Pages, &QStackedWidget::currentChanged, this, &TStatusForm::keepFocusInSight);
    connect(Notebook_StdButtons, &QStackedWidget::currentChanged, this, &TStatusForm::keepFocusInSight);

    setTabOrder(Button_Settings, Button_Next);
    setTabOrder(Button_Next, Button_Cancel);
    setTabOrder(Button_Cancel, Button_SettingsCancel);
    setTabOrder(Button_SettingsCancel, Button_SettingsSave);
}

QWidget *TStatusForm::addPage(const char *caption)
{
    auto *page = named(new QWidget, caption);
    Pages->addWidget(page);
    return page;
}

void TStatusForm::createPages()
{
    QWidget *page = addPage("Bestätigung1");
    Image_Icon1 = systemIcon(page, "Image_Icon1", 8, 8);
    Label2 = textLabel(page, "Label2",
                       QStringLiteral("In regelmäßigen Abständen sollte im Internet nach Programmverbesserungen und "
                                      "-updates gesucht werden, um möglichen Programmfehlern vorzubeugen.\n"
                                      "Klicken Sie auf \"Weiter\", um jetzt nach neuen Updates zu suchen, oder auf "
                                      "\"Abbrechen\", um zu einem anderen Zeitpunkt nach Programmverbesserungen zu "
                                      "suchen.\n\n"
                                      "Klicken Sie auf \"Einstellungen\", um festzulegen, ob und in welchen Abständen "
                                      "Sie zum Suchen nach Updates aufgefordert werden möchten."),
                       {56, 8, 353, 233});

    page = addPage("Prüfen");
    Label4 = textLabel(page, "Label4",
                       QStringLiteral("Stellen Sie sicher, dass eine Internetverbindung besteht, und klicken Sie auf "
                                      "\"Jetzt auf neue Updates prüfen\"."),
                       {8, 8, 401, 57});
    Button_Check = button(page, "Button_Check", QStringLiteral("Jetzt auf neue Updates prüfen"), {8, 96, 185, 25});
    connect(Button_Check, &QPushButton::clicked, this, &TStatusForm::Button_CheckClick);

    page = addPage("Bestätigung2");
    ScrollBox_CheckResult = named(new QScrollArea(page), "ScrollBox_CheckResult");
    ScrollBox_CheckResult->setGeometry(8, 8, 401, 233);
    ScrollBox_CheckResult->setFrameShape(QFrame::NoFrame);
    ScrollBox_CheckResult->setWidgetResizable(true);
    ScrollBox_CheckResult->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label_CheckResult = textLabel(nullptr, "Label_CheckResult", QString(), {0, 0, 401, 233});
    ScrollBox_CheckResult->setWidget(Label_CheckResult);

    page = addPage("Download");
    m_downloadPageText = QStringLiteral(
        "Die Updates werden jetzt heruntergeladen. Bitten warten Sie, bis der Download abgeschlossen ist, oder "
        "klicken Sie auf \"Download abbrechen\", wenn Sie die Updates zu einer anderen Zeit herunterladen wollen.");
    Label_Download = textLabel(page, "Label_Download", m_downloadPageText, {8, 8, 401, 89});
    Status = named(new QProgressBar(page), "Status");
    Status->setGeometry(52, 112, 337, 25);
    Status->setRange(0, 100);
    Status->setValue(0);
    Status->setTextVisible(false);
    QFont perCentFont(QStringLiteral("MS Sans Serif"));
    perCentFont.setPointSize(8);
    PerCent = textLabel(page, "PerCent", QString(), {52, 144, 337, QFontMetrics(perCentFont).height() + 2});
    PerCent->setFont(perCentFont);
    PerCent->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const int lineHeight = fontMetrics().height() + 2;
    StatusLabel = textLabel(page, "StatusLabel", QString(), {52, 168, 337, lineHeight});
    TimeLeft = textLabel(page, "TimeLeft", QString(), {52, 192, 337, lineHeight});
    for (QLabel *line : {StatusLabel, TimeLeft})
        line->setWordWrap(false);
    Icon = named(new TImage(page), "Icon");
    Icon->setGeometry(8, 160, 33, 33);
    Icon->setPicture(systemIconPicture(QStyle::SP_DriveNetIcon));
    CancelDownload = button(page, "CancelDownload", QStringLiteral("Download ab&brechen"), {240, 216, 155, 25});
    connect(CancelDownload, &QPushButton::clicked, this, &TStatusForm::CancelDownloadClick);

    page = addPage("Einrichten");
    Image_Icon2 = systemIcon(page, "Image_Icon2", 8, 8);
    m_installPageText = QStringLiteral(
        "Das Update kann jetzt installiert werden.\n"
        "Klicken Sie auf \"Weiter\", um den Vorgang fortzusetzen und die Installation durchzuführen.\n\n"
        "Aktivieren Sie das Kontrollfeld \"Programm automatisch neu starten\", um die Anwendung nach der "
        "Installation sofort neu zu starten.");
    Label3 = textLabel(page, "Label3", m_installPageText, {56, 8, 353, 177});
    CheckBox_Restart = named(new QCheckBox(QStringLiteral("Programm automatisch neu starten"), page),
                             "CheckBox_Restart");
    CheckBox_Restart->setGeometry(56, 224, 353, 17);
    CheckBox_Restart->setChecked(true);

    page = addPage("Bestätigung3");
    Image_Icon3 = systemIcon(page, "Image_Icon3", 8, 8);
    Label5 = textLabel(page, "Label5",
                       QStringLiteral("Die Installation wurde vorbereitet.\n"
                                      "Klicken SIe auf \"Beenden\", um die alten Dateien zu ersetzen. Ein Neustart des "
                                      "Computers ist nicht erforderlich.\n\n"
                                      "Wenn Sie nicht die Option zum automatischen Neustart des Programms aktiviert "
                                      "haben, müssen Sie das Programm nach der Installation manuell neu starten."),
                       {56, 8, 353, 233});

    page = addPage("Einstellungen");
    GroupBox1 = named(new QGroupBox(
                          QStringLiteral("Wie oft wollen Sie zum Suchen nach Updates aufgefordert werden?"), page),
                      "GroupBox1");
    GroupBox1->setGeometry(8, 8, 401, 233);
    RadioButton_NoAutoUpdt = named(
        new QRadioButton(QStringLiteral("Niemals automatisch zum Updaten auffordern"), GroupBox1),
        "RadioButton_NoAutoUpdt");
    RadioButton_NoAutoUpdt->setGeometry(16, 24, 377, 17);
    Label1 = textLabel(GroupBox1, "Label1",
                       QStringLiteral("Wenn Sie diese Option aktivieren, werden Sie nicht automatisch zum Suchen nach "
                                      "neuen Updates aufgefordert. Sie haben dann aber immer noch die Möglichkeit, "
                                      "über die Tastenkombination Strg+U die Suche nach Updates zu starten."),
                       {40, 40, 353, 73});
    RadioButton_AutoUpdt = named(
        new QRadioButton(QStringLiteral("Regelmäßig in bestimmten Abständen zum Updaten auffordern"), GroupBox1),
        "RadioButton_AutoUpdt");
    RadioButton_AutoUpdt->setGeometry(16, 112, 377, 17);
    RadioButton_AutoUpdt->setChecked(true);
    Label6 = textLabel(GroupBox1, "Label6",
                       QStringLiteral("Aktivieren Sie diese Option, um in festgelegten Abständen automatisch zum "
                                      "Suchen nach neuen Updates aufgefordert zu werden. Dies geschieht dann jeweils "
                                      "unmittelbar nach dem Starten des Programms."),
                       {40, 128, 353, 57});
    Label_AutoUpdt1 = shortLabel(GroupBox1, "Label_AutoUpdt1", QStringLiteral("Alle"), 40, 192);
    SpinEdit_AutoUpdt = named(new TSpinEdit(GroupBox1), "SpinEdit_AutoUpdt");
    SpinEdit_AutoUpdt->setGeometry(70, 188, 49, 22);
    SpinEdit_AutoUpdt->setRange(1, 365);
    SpinEdit_AutoUpdt->setValue(7);
    Label_AutoUpdt2 = shortLabel(GroupBox1, "Label_AutoUpdt2", QStringLiteral("Tage an Updates erinnern"), 122, 192);
    connect(RadioButton_NoAutoUpdt, &QRadioButton::clicked, this, &TStatusForm::RadioButton_UpdtClick);
    connect(RadioButton_AutoUpdt, &QRadioButton::clicked, this, &TStatusForm::RadioButton_UpdtClick);
}

void TStatusForm::FormCreate()
{
    Downloading = false;
    const QPixmap information = systemIconPicture(QStyle::SP_MessageBoxInformation);
    for (TImage *image : {Image_Icon1, Image_Icon2, Image_Icon3})
        image->setPicture(information);
}

void TStatusForm::showModal()
{
    FormShow();
    exec();
}

void TStatusForm::FormShow()
{
    m_session->ProgramName = ProgramName;
    m_session->ZIPFileName = ZIPFileName;
    m_session->ProgramDate = ProgramDate;
    // Other windows may have handed their 8-point font's family to every
    // open window meanwhile.
    setFont(windowFont());
    QFont bold = PerCent->font();
    bold.setBold(true);
    PerCent->setFont(bold);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        const QSize outer = isVisible() ? frameGeometry().size() : size();
        move(desktop.width() / 2 - outer.width() / 2, desktop.height() / 2 - outer.height() / 2);
    }

    Step = WelcomePage;
    showStandardButtons(true);
    Button_Settings->show();
    Button_Cancel->setEnabled(true);
    Button_Next->setEnabled(true);
    Button_Next->setText(QStringLiteral("Weiter >"));
    Button_Next->setFocus();
    // A refused installation of an earlier showing left its reason there.
    Label3->setText(m_installPageText);
    Image_Icon2->setPicture(Image_Icon1->picture());
    Installed = false;
    UpdateAvailable = false;
    CancelRequested = false;
    DownloadAborted = false;
    m_closeRequested = false;
    showStepPage(WelcomePage);
    PaintBox_Process->update();
}

// The Standard page shows "Abbrechen" / "Weiter >", the other one the
// settings page's "Abbrechen" / "Speichern"; Enter goes to the right one.
void TStatusForm::showStandardButtons(bool standard)
{
    Notebook_StdButtons->setCurrentIndex(standard ? kStandardButtons : kSettingsButtons);
    (standard ? Button_Next : Button_SettingsSave)->setDefault(true);
}

// The settings open at the chosen reminder; a control that went out of
// sight with its page set hands the focus to the button Enter presses, so
// that Tab and Shift+Tab go on from a control that can be seen.
void TStatusForm::keepFocusInSight()
{
    if (settingsShown()) {
        (RadioButton_NoAutoUpdt->isChecked() ? RadioButton_NoAutoUpdt : RadioButton_AutoUpdt)
            ->setFocus(Qt::TabFocusReason);
        return;
    }
    // A page set hands the focus of a page it hides to the page it shows,
    // which itself takes no keys.
    const QWidget *focused = focusWidget();
    if (focused && focused->isVisible() && focused->isEnabled() && (focused->focusPolicy() & Qt::TabFocus))
        return;
    (Button_Next->isEnabled() ? Button_Next : Button_Cancel)->setFocus(Qt::TabFocusReason);
}

bool TStatusForm::settingsShown() const
{
    return Pages->currentIndex() == SettingsPage;
}

// The settings page stays in front until the user leaves it; a step that
// was reached meanwhile shows then.
void TStatusForm::showStepPage(int page)
{
    m_stepPage = page;
    if (settingsShown())
        return;
    Pages->setCurrentIndex(page);
    Panel_Title->setText(stepTitle(page));
}

void TStatusForm::PaintBox_ProcessPaint(QPainter &painter)
{
    const int width = PaintBox_Process->width();
    const int height = PaintBox_Process->height();
    for (int x = 0; x <= width; ++x)
        painter.fillRect(x, 0, 1, height, ColorBlend(kStepListColor, Qt::white, x, width));

    QFont regular = font();
    regular.setPointSize(10);
    QFont current = regular;
    current.setBold(true);
    current.setItalic(true);
    painter.setPen(palette().color(QPalette::WindowText));
    // The step whose page is in front: when the installation could not be
    // prepared the install page stays, and so does the last page while the
    // program ends; the list goes on agreeing with the page and the title.
    for (int i = WelcomePage; i <= FinishPage; ++i) {
        painter.setFont(i == m_stepPage ? current : regular);
        painter.drawText(QRect(16, 16 + 56 * i, width - 16, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         stepTitle(i));
    }
}

// --- closing

void TStatusForm::closeEvent(QCloseEvent *event)
{
    // The window closes itself once no handler is running any more.
    event->ignore();
    // The close box only asks to close; anything else closing the window
    // is the system asking (the session ending), and a running download
    // is not given up without the user's word. A check or an unpacking is
    // given up at once: they only keep the window waiting.
    if (!event->spontaneous() && !FormCloseQuery())
        return;
    stopWaiting();
    requestClose();
}

void TStatusForm::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        QPushButton *cancel = Notebook_StdButtons->currentIndex() == kStandardButtons ? Button_Cancel
                                                                                      : Button_SettingsCancel;
        if (cancel->isEnabled())
            cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TStatusForm::requestClose()
{
    m_closeRequested = true;
    QMetaObject::invokeMethod(this, &TStatusForm::closeIfRequested, Qt::QueuedConnection);
}

void TStatusForm::closeIfRequested()
{
    if (!m_closeRequested || m_runningHandlers > 0 || !isVisible())
        return;
    m_closeRequested = false;
    if (!FormCloseQuery())
        return;
    FormClose();
    done(QDialog::Rejected);
}

bool TStatusForm::FormCloseQuery()
{
    return !Downloading || confirmCancelDownload();
}

void TStatusForm::FormClose()
{
    // The installation was prepared, or its archive was not found: either
    // way this run of the program is over.
    if (Step == FinishPage)
        Q_EMIT applicationEndRequested();
}

void TStatusForm::FormDestroy()
{
    // Left through "Beenden" on the result without updates: the download
    // page was put in front and "Abbrechen" had been disabled.
    const bool leftWithoutUpdates = Pages->currentIndex() == DownloadPage && !Button_Cancel->isEnabled();
    if (Installed || leftWithoutUpdates)
        UpdateSchedule(RegistryKey, HKCU).recordNextReminder(QDate::currentDate());
    if (Installed)
        m_session->startInstallation();
    // Takes every fetched copy of the description with it.
    delete m_session;
    m_session = nullptr;
}

QColor ColorBlend(const QColor &From, const QColor &To, int Position, int Width)
{
    if (Width <= 0)
        return From;
    auto channel = [&](int from, int to) { return qBound(0, from + (to - from) * Position / Width, 255); };
    return QColor(channel(From.red(), To.red()), channel(From.green(), To.green()), channel(From.blue(), To.blue()));
}
