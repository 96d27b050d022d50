// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's pages and controls, with their places, captions and handlers.
#include "window/TForm1.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "controls/TRadioGroup.h"
#include "controls/TSpinEdit.h"
#include "controls/TStringGrid.h"
#include "controls/TWinXP.h"
#include "game/WordRules.h"
#include "platform/SoundService.h"
#include "text/CodePageValidator.h"
#include "update/UpdateComponent.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 569;

QFont pixelFont(const QFont &base, int pixels, bool bold = false, bool italic = false)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A label whose left edge and top are given; its size follows its text.
QLabel *label(QWidget *parent, const QString &text, int x, int y, QWidget *buddy = nullptr)
{
    auto *result = new QLabel(text, parent);
    if (buddy)
        result->setBuddy(buddy);
    result->adjustSize();
    result->move(x, y);
    return result;
}

// A right-aligned label that ends at the given x.
QLabel *labelEndingAt(QWidget *parent, const QString &text, int right, int y, QWidget *buddy = nullptr)
{
    QLabel *result = label(parent, text, 0, y, buddy);
    result->setAlignment(Qt::AlignRight | Qt::AlignTop);
    result->move(right - result->width(), y);
    return result;
}

QLabel *banner(QWidget *page, const char *name, const QString &caption)
{
    auto *panel = named(new QLabel(caption, page), name);
    // Banners name the players; a name is never read as markup.
    panel->setTextFormat(Qt::PlainText);
    panel->setGeometry(0, 0, kClientWidth, 41);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    panel->setPalette(pal);
    panel->setFont(pixelFont(page->font(), 24, true));
    return panel;
}

TKxBitBtn *button(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    auto *result = named(new TKxBitBtn(caption, parent), name);
    result->setGeometry(place);
    return result;
}

QPixmap glyph(const char *file)
{
    return QPixmap(QStringLiteral(":/images/%1").arg(QLatin1String(file)));
}

void setOkGlyph(TKxBitBtn *button)
{
    button->setGlyph(glyph("ok.png"), glyph("ok_disabled.png"));
}

void setCancelGlyph(TKxBitBtn *button)
{
    button->setGlyph(glyph("cancel.png"), glyph("cancel_disabled.png"));
}

// Check boxes show their caption to the left of the box.
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, const QRect &place, bool checked)
{
    auto *result = named(new QCheckBox(caption, parent), name);
    result->setLayoutDirection(Qt::RightToLeft);
    result->setGeometry(place);
    result->setChecked(checked);
    return result;
}

QSpinBox *spinEdit(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum, int value)
{
    auto *result = named(new TSpinEdit(parent), name);
    result->setGeometry(place);
    result->setRange(minimum, maximum);
    result->setValue(value);
    return result;
}

QLineEdit *edit(QWidget *parent, const char *name, const QRect &place)
{
    auto *result = named(new QLineEdit(parent), name);
    result->setGeometry(place);
    return result;
}

TImage *decoration(QWidget *page, const char *name, int x)
{
    auto *logo = named(new TImage(page), name);
    logo->setGeometry(x, 336, 258, 233);
    logo->setFollowsPalette(true);
    logo->lower();
    return logo;
}


// Tab enters a group of choices at the checked one; the arrow keys move
// within the group.
void tabStopOnCheckedChoice(std::initializer_list<QRadioButton *> group)
{
    const QList<QRadioButton *> buttons(group);
    auto update = [buttons] {
        for (QRadioButton *button : buttons)
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton *button : buttons)
        QObject::connect(button, &QAbstractButton::toggled, button, update);
    update();
}

// A horizontal scroll bar of a given height, whatever the style's own.
class SlimScrollBar : public QScrollBar
{
public:
    explicit SlimScrollBar(int height)
        : QScrollBar(Qt::Horizontal)
        , m_height(height)
    {
    }

    QSize sizeHint() const override { return {QScrollBar::sizeHint().width(), m_height}; }

private:
    int m_height;
};

void chainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace

void TForm1::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lettrisko"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    QFont windowFont = font();
    windowFont.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    windowFont.setPixelSize(19);
    setFont(windowFont);

    WinXP1 = named(new TWinXP(this), "WinXP1");
    Update = createUpdateComponent(this, m_environment.updateServer);
    m_match->setObjectName(QStringLiteral("match"));

    // Each page is built when it is first shown; the window opens on the
    // start page, and most runs never see some of the others.
    MainSites = named(new QStackedWidget(this), "MainSites");
    MainSites->setGeometry(0, 0, kClientWidth, kClientHeight);
    for (const char *name : {"Start", "Einstellungen", "Spieler", "Wort", "Spiel", "Statistik", "TCPIP", "Allein"})
        MainSites->addWidget(named(new QWidget(MainSites), name));

    setUpWindowKeys();
    ensurePage(StartPage);
}

// Every page's decoration is the settings page's picture, loaded once.
QPixmap TForm1::decorationPicture()
{
    if (m_decoration.isNull())
        m_decoration = glyph("decoration.png");
    return m_decoration;
}

bool TForm1::isPageBuilt(Page page) const
{
    return m_builtPages & (1u << page);
}

void TForm1::ensurePage(Page page)
{
    if (isPageBuilt(page))
        return;
    m_builtPages |= 1u << page;
    QWidget *widget = MainSites->widget(page);
    switch (page) {
    case StartPage:
        createStartPage(widget);
        break;
    case SettingsPage:
        createSettingsPage(widget);
        break;
    case PlayersPage:
        createPlayersPage(widget);
        break;
    case WordPage:
        createWordPage(widget);
        break;
    case GamePage:
        createGamePage(widget);
        break;
    case StatisticsPage:
        createStatisticsPage(widget);
        break;
    case NetworkPage:
        createNetworkPage(widget);
        break;
    case SoloPage:
        createSoloPage(widget);
        break;
    }

    for (TKxBitBtn *each : widget->findChildren<TKxBitBtn *>()) {
        connect(each, &TKxBitBtn::MouseEnter, this, &TForm1::BitBtnMouseEnter);
        connect(each, &TKxBitBtn::MouseLeave, this, &TForm1::BitBtnMouseLeave);
    }
}

void TForm1::createStartPage(QWidget *page)
{

    PLogo = named(new TImage(page), "PLogo");
    PLogo->setGeometry(264, 96, 516, 466);
    PLogo->setStretch(true);
    PLogo->setFollowsPalette(true);
    PLogo->setPicture(glyph("title.png"));

    Firm = named(new TImage(page), "Firm");
    Firm->setGeometry(24, 16, 193, 97);
    Firm->setCursor(Qt::PointingHandCursor);

    Properties = button(page, "Properties", QStringLiteral("Einstellungen"), {16, 376, 217, 41});
    IPGame = button(page, "IPGame", QStringLiteral("TCP/IP-Spiel starten"), {16, 424, 217, 41});
    StartGame = button(page, "StartGame", QStringLiteral("Spiel starten!"), {16, 472, 217, 41});
    Terminate = button(page, "Terminate", QStringLiteral("Beenden"), {16, 520, 217, 41});
    // Playing alone heads the column, one button's step above the others.
    SoloGame = button(page, "SoloGame", QStringLiteral("Allein spielen"), {16, 328, 217, 41});
    for (TKxBitBtn *each : {SoloGame, Properties, IPGame, StartGame, Terminate})
        each->setFocusPolicy(Qt::NoFocus);
    PLogo->setAccessibleName(QStringLiteral("Lettrisko"));
    Firm->setAccessibleName(QStringLiteral("Info über Lettrisko"));

    connect(Properties, &QAbstractButton::clicked, this, &TForm1::PropertiesClick);
    connect(StartGame, &QAbstractButton::clicked, this, &TForm1::StartGameClick);
    connect(IPGame, &QAbstractButton::clicked, this, &TForm1::IPGameClick);
    connect(Terminate, &QAbstractButton::clicked, this, &TForm1::Beenden1Click);
    connect(SoloGame, &QAbstractButton::clicked, this, &TForm1::SoloGameClick);
    connect(Firm, &TImage::Click, this, &TForm1::FirmClick);
    setUpStartPageKeys();
}

void TForm1::createSettingsPage(QWidget *page)
{
    Panel1 = banner(page, "Panel1", QStringLiteral("Einstellungen"));
    Logo1 = decoration(page, "Logo1", 536);
    Logo1->setPicture(decorationPicture());

    const GameSettings defaults;
    Rounds = spinEdit(page, "Rounds", {240, 52, 57, 36}, GameSettings::MinRounds, GameSettings::MaxRounds,
                      defaults.Rounds);
    labelEndingAt(page, QStringLiteral("Anzahl &Runden:"), 222, 56, Rounds)->setObjectName(QStringLiteral("Label_Rounds"));
    Mistakes = spinEdit(page, "Mistakes", {240, 100, 57, 36}, GameSettings::MinMistakes, GameSettings::MaxMistakes,
                        defaults.Mistakes);
    labelEndingAt(page, QStringLiteral("maximale Fehler&anzahl:"), 222, 104, Mistakes)->setObjectName(QStringLiteral("Label_Mistakes"));

    // The three time choices are one group of their own, apart from the
    // winner choice below.
    auto *timeLimitPanel = named(new QWidget(page), "TimeLimitPanel");
    timeLimitPanel->setGeometry(240, 152, 193, 93);
    NoLimit = named(new QRadioButton(QStringLiteral("un&begrenzt"), timeLimitPanel), "NoLimit");
    NoLimit->setGeometry(0, 0, 137, 29);
    NoLimit->setChecked(true);
    labelEndingAt(page, QStringLiteral("Zeitbegrenzung:"), 222, 152);
    perLetter = named(new QRadioButton(QStringLiteral("pro Buchstab&e (s):"), timeLimitPanel), "perLetter");
    perLetter->setGeometry(0, 32, 185, 29);
    WholeWord = named(new QRadioButton(QStringLiteral("gesamtes Wor&t (s):"), timeLimitPanel), "WholeWord");
    WholeWord->setGeometry(0, 64, 193, 29);

    auto *brace = named(new QLabel(QStringLiteral("}"), page), "Label_Brace");
    brace->setFont(pixelFont(font(), 53));
    brace->adjustSize();
    brace->move(440, 172);

    TimeLimit = spinEdit(page, "TimeLimit", {472, 196, 65, 36}, GameSettings::MinTimeLimit,
                         GameSettings::MaxTimeLimit, defaults.TimeLimitValue);
    TimeLimit->setEnabled(false);

    NoSpecialChars = checkBox(page, "NoSpecialChars", QStringLiteral("keine Um&laute und ß"), {52, 256, 201, 17}, true);
    CapitalLetters = checkBox(page, "CapitalLetters", QStringLiteral("nur Großb&uchstaben"), {52, 288, 201, 25}, true);
    AcceptSentences = checkBox(page, "AcceptSentences", QStringLiteral("&Sätze zulassen"), {96, 320, 157, 25}, false);
    AcceptNumbers = checkBox(page, "AcceptNumbers", QStringLiteral("&Zahlen zulassen"), {92, 352, 161, 25}, false);
    SetFirstLetter = checkBox(page, "SetFirstLetter", QStringLiteral("Buchstabe Nr.1 vor&geben"), {8, 384, 245, 25}, true);

    auto *winnerCaption = label(page, QStringLiteral("Gewinner:"), 144, 416);
    winnerCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    winnerCaption->setObjectName(QStringLiteral("Label_Winner"));

    WinnerPanel = named(new QWidget(page), "WinnerPanel");
    WinnerPanel->setGeometry(232, 408, 273, 81);
    WonRounds = named(new QRadioButton(QStringLiteral("meiste gew&onnene Runden"), WinnerPanel), "WonRounds");
    WonRounds->setGeometry(8, 8, 257, 29);
    WonRounds->setChecked(true);
    FewMistakes = named(new QRadioButton(QStringLiteral("wenigste &Fehler"), WinnerPanel), "FewMistakes");
    FewMistakes->setGeometry(8, 40, 169, 29);

    PlaySounds = checkBox(page, "PlaySounds", QStringLiteral("Sounds abs&pielen"), {80, 480, 173, 25}, true);

    PropertiesOK = button(page, "PropertiesOK", QStringLiteral("OK"), {328, 504, 185, 57});
    PropertiesOK->setDefaultButton(true);
    setOkGlyph(PropertiesOK);

    chainTabOrder({Rounds, Mistakes, NoLimit, perLetter, WholeWord, TimeLimit, NoSpecialChars, SetFirstLetter,
                   CapitalLetters, AcceptSentences, AcceptNumbers, WonRounds, FewMistakes, PlaySounds, PropertiesOK});
    tabStopOnCheckedChoice({NoLimit, perLetter, WholeWord});
    tabStopOnCheckedChoice({WonRounds, FewMistakes});
    TimeLimit->setAccessibleName(QStringLiteral("Zeitbegrenzung in Sekunden"));

    // The page shows the held settings; every change by the user is held
    // at once.
    showSettingsOnPage();
    if (m_settingsLocked)
        SetSettingsEnabled(false);
    connect(PropertiesOK, &QAbstractButton::clicked, this, &TForm1::PropertiesOKClick);
    for (QRadioButton *each : {NoLimit, perLetter, WholeWord, WonRounds, FewMistakes})
        connect(each, &QAbstractButton::clicked, this, &TForm1::NoLimitClick);
    for (QSpinBox *each : {Rounds, Mistakes, TimeLimit})
        connect(each, QOverload<int>::of(&QSpinBox::valueChanged), this, &TForm1::settingsEdited);
    for (QAbstractButton *each : std::initializer_list<QAbstractButton *>{
             NoLimit, perLetter, WholeWord, NoSpecialChars, CapitalLetters, AcceptSentences, AcceptNumbers,
             SetFirstLetter, WonRounds, FewMistakes, PlaySounds})
        connect(each, &QAbstractButton::toggled, this, &TForm1::settingsEdited);
}

void TForm1::createPlayersPage(QWidget *page)
{
    Panel2 = banner(page, "Panel2", QStringLiteral("Spielernamen"));
    Logo2 = decoration(page, "Logo2", 534);
    Logo2->setPicture(decorationPicture());

    Player1 = edit(page, "Player1", {240, 52, 201, 34});
    labelEndingAt(page, QStringLiteral("Spieler &1:"), 222, 56, Player1)->setObjectName(QStringLiteral("Label_Player1"));
    Player2 = edit(page, "Player2", {240, 100, 201, 34});
    // The names are written to an 8-bit file; the edits refuse, with the
    // default beep, anything that would not come back from it.
    for (QLineEdit *name : {Player1, Player2}) {
        name->setValidator(new CodePageValidator(name));
        connect(name, &QLineEdit::inputRejected, this, [this] { sound().beep(); });
    }
    labelEndingAt(page, QStringLiteral("Spieler &2:"), 222, 104, Player2)->setObjectName(QStringLiteral("Label_Player2"));

    auto *hint = label(page, QStringLiteral("Spieler 1 beginnt"), 369, 464);
    hint->setAlignment(Qt::AlignRight | Qt::AlignTop);

    PlayersCancel = button(page, "PlayersCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    PlayersCancel->setCancelButton(true);
    setCancelGlyph(PlayersCancel);
    PlayersOK = button(page, "PlayersOK", QStringLiteral("OK"), {328, 504, 185, 57});
    PlayersOK->setDefaultButton(true);
    setOkGlyph(PlayersOK);

    chainTabOrder({Player1, Player2, PlayersCancel, PlayersOK});

    Player1->setText(m_names.Player1);
    Player2->setText(m_names.Player2);
    connect(PlayersCancel, &QAbstractButton::clicked, this, &TForm1::PropertiesOKClick);
    connect(PlayersOK, &QAbstractButton::clicked, this, &TForm1::PlayersOKClick);
    for (QLineEdit *each : {Player1, Player2})
        connect(each, &QLineEdit::textChanged, this, &TForm1::namesEdited);
}

void TForm1::createWordPage(QWidget *page)
{
    WordInfo = banner(page, "WordInfo", QStringLiteral("Wortangabe"));
    Logo3 = decoration(page, "Logo3", 534);
    Logo3->setPicture(decorationPicture());

    Word = edit(page, "Word", {240, 52, 529, 34});
    Word->setMaxLength(WordRules::MaxWordLength);
    auto *caption = label(page, QStringLiteral("&Wort:"), 170, 56, Word);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    caption->setObjectName(QStringLiteral("Label_Word"));

    WordCancel = button(page, "WordCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    WordCancel->setCancelButton(true);
    setCancelGlyph(WordCancel);
    WordOK = button(page, "WordOK", QStringLiteral("OK"), {328, 504, 185, 57});
    WordOK->setDefaultButton(true);
    setOkGlyph(WordOK);

    chainTabOrder({Word, WordCancel, WordOK});

    connect(WordOK, &QAbstractButton::clicked, this, &TForm1::WordOKClick);
    connect(WordCancel, &QAbstractButton::clicked, this, &TForm1::WordCancelClick);
}

void TForm1::createGamePage(QWidget *page)
{
    WordGuessingInfo = banner(page, "WordGuessingInfo", QStringLiteral("Zeichenjagd"));

    GameStartGame = button(page, "GameStartGame", QStringLiteral("Beginnen!"), {40, 48, 713, 65});
    GameStartGame->setFont(pixelFont(font(), 27));

    WordPaintBox = named(new TPaintBox(page), "WordPaintBox");
    WordPaintBox->setGeometry(0, 120, 793, 289);

    TimeLabel = named(label(page, QStringLiteral("verbleibende Zeit (s):"), 24, 416), "TimeLabel");

    auto setUpDisplay = [page](const char *name, int x) {
        auto *display = named(new TKxDigit(page), name);
        display->setGeometry(x, 412, 71, 32);
        display->setDigits(3);
        display->setPenWidthDivisor(8);
        display->setDistanceMultiplicator(0.75L);
        display->setActive(true);
        display->setBgColor(Qt::black);
        display->setActiveColor(QColor(255, 0, 0));
        display->setInActiveColor(QColor(128, 0, 0));
        display->setFixedDigits(0);
        display->setAutosize(true);
        return display;
    };
    Time = setUpDisplay("Time", 224);
    auto *mistakesCaption = label(page, QStringLiteral("Fehleranzahl:"), 468, 416);
    mistakesCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    mistakesCaption->setObjectName(QStringLiteral("Label_MistakeCount"));
    curMistakes = setUpDisplay("curMistakes", 600);
    auto *slash = label(page, QStringLiteral("/"), 672, 404);
    slash->setFont(pixelFont(font(), 32));
    slash->adjustSize();
    MaxMistakes = setUpDisplay("MaxMistakes", 692);

    auto *wrongCaption = named(new QLabel(QStringLiteral("geratene, nicht vor- kommende Buchstaben:"), page), "Label_WrongGuesses");
    wrongCaption->setGeometry(0, 456, 210, 49);
    wrongCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    wrongCaption->setWordWrap(true);

    // One row of 29 columns that scrolls sideways. A plain one-pixel frame
    // on every style leaves 551 = 29 x 19 pixels, so no column is ever cut,
    // and a scroll bar slim enough to leave the row its full height.
    constexpr int kWrongGuessColumns = 29;
    constexpr int kWrongGuessHeight = 26;
    CharList = named(new QListWidget(page), "CharList");
    CharList->setGeometry(224, 464, 553, 41);
    CharList->setFrameStyle(QFrame::Box | QFrame::Plain);
    CharList->setLineWidth(1);
    const QRect inside = CharList->contentsRect();
    CharList->setFlow(QListView::LeftToRight);
    CharList->setWrapping(false);
    CharList->setGridSize(QSize(inside.width() / kWrongGuessColumns, kWrongGuessHeight));
    CharList->setHorizontalScrollBar(new SlimScrollBar(inside.height() - kWrongGuessHeight));
    CharList->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    CharList->setSortingEnabled(true);
    // A record of the wrong guesses, nothing to pick from.
    CharList->setSelectionMode(QAbstractItemView::NoSelection);
    CharList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    CharList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    GameOK = button(page, "GameOK", QStringLiteral("OK"), {624, 512, 153, 49});
    GameOK->setDefaultButton(true);
    GameOK->setFont(pixelFont(font(), 19));
    setOkGlyph(GameOK);
    GameOK->hide();

    // Alone, a hidden letter for a mistake, once a word.
    Hint = button(page, "Hint", QStringLiteral("&Tipp"), {24, 512, 153, 49});
    Hint->setFont(pixelFont(font(), 19));
    Hint->setFocusPolicy(Qt::NoFocus);
    Hint->hide();

    chainTabOrder({GameStartGame, GameOK, CharList});

    connect(GameStartGame, &QAbstractButton::clicked, this, &TForm1::GameStartGameClick);
    connect(WordPaintBox, &TPaintBox::Paint, this, &TForm1::FormPaint);
    connect(GameOK, &QAbstractButton::clicked, this, &TForm1::GameOKClick);
    connect(Hint, &QAbstractButton::clicked, this, &TForm1::HintClick);
    connect(m_match, &MatchState::turnStarted, GameStartGame, &QWidget::hide);
    setUpGamePageAccess();
}

void TForm1::createStatisticsPage(QWidget *page)
{
    Panel4 = banner(page, "Panel4", QStringLiteral("Statistik"));
    Logo4 = decoration(page, "Logo4", 534);
    Logo4->setPicture(decorationPicture());

    Statistik = named(new TStringGrid(5, 2, page), "Statistik");
    Statistik->setGeometry(16, 52, 505, 421);
    Statistik->setFont(pixelFont(font(), 16));

    StatistikP1Info = named(label(page, QString(), 16, 480), "StatistikP1Info");
    StatistikP2Info = named(label(page, QString(), 16, 512), "StatistikP2Info");
    for (QLabel *line : {StatistikP1Info, StatistikP2Info}) {
        line->setTextFormat(Qt::PlainText);
        line->setFont(pixelFont(font(), 19));
        line->resize(500, 28);
    }

    WinnerLabel = named(new QLabel(page), "WinnerLabel");
    WinnerLabel->setTextFormat(Qt::PlainText);
    WinnerLabel->setGeometry(536, 56, 249, 185);
    WinnerLabel->setAlignment(Qt::AlignCenter);
    WinnerLabel->setWordWrap(true);
    WinnerLabel->setFont(pixelFont(font(), 19, false, true));

    StatistikOK = button(page, "StatistikOK", QStringLiteral("OK"), {624, 256, 153, 49});
    StatistikOK->setDefaultButton(true);
    StatistikOK->setFont(pixelFont(font(), 19));
    setOkGlyph(StatistikOK);

    // Alone, the match can be left between two words.
    StatistikCancel = button(page, "StatistikCancel", QStringLiteral("Abbrechen"), {624, 312, 153, 49});
    StatistikCancel->setCancelButton(true);
    StatistikCancel->setFont(pixelFont(font(), 19));
    setCancelGlyph(StatistikCancel);
    StatistikCancel->hide();

    chainTabOrder({Statistik, StatistikOK, StatistikCancel});
    Statistik->setAccessibleName(QStringLiteral("Statistik"));

    Statistik->setColWidth(0, 32);
    Statistik->setColWidth(1, 192);
    Statistik->setColWidth(4, 192);
    Statistik->setCells(2, 0, QStringLiteral("< Fehler"));
    Statistik->setCells(3, 0, QStringLiteral("Fehler >"));
    // A match under way shows what it has played.
    if (m_match->stage() != MatchState::Stage::Idle || !m_match->record().isEmpty()) {
        showRecord();
        if (!m_match->record().isEmpty())
            showStandings(m_match->standings());
    }
    connect(StatistikOK, &QAbstractButton::clicked, this, &TForm1::StatistikOKClick);
    connect(StatistikCancel, &QAbstractButton::clicked, this, &TForm1::StatistikCancelClick);
}

void TForm1::createNetworkPage(QWidget *page)
{
    Panel5 = banner(page, "Panel5", QStringLiteral("TCP/IP-Einstellungen"));
    Logo5 = decoration(page, "Logo5", 534);
    Logo5->setPicture(decorationPicture());

    RadioGroup_ConnectionMode = named(new TRadioGroup(QStringLiteral("Verbindungsart (Gastgeber bestimmt Spieleinstellungen)"),
                                                      {QStringLiteral("Gastgeber"), QStringLiteral("Teilnehmer")}, page),
                                      "RadioGroup_ConnectionMode");
    RadioGroup_ConnectionMode->setGeometry(16, 52, 500, 100);
    RadioGroup_ConnectionMode->setItemIndex(-1);

    Edit_IPName = edit(page, "Edit_IPName", {536, 84, 241, 34});
    label(page, QStringLiteral("Nick&name:"), 536, 56, Edit_IPName)->setObjectName(QStringLiteral("Label_IPName"));

    GroupBox_Host = named(new QGroupBox(QStringLiteral("Gastgebereinstellungen"), page), "GroupBox_Host");
    GroupBox_Host->setGeometry(16, 160, 500, 150);
    Edit_IPPassword = edit(GroupBox_Host, "Edit_IPPassword", {136, 32, 200, 34});
    Edit_IPPassword->setEchoMode(QLineEdit::Normal);
    labelEndingAt(GroupBox_Host, QStringLiteral("&Passwort:"), 128, 36, Edit_IPPassword)->setObjectName(QStringLiteral("Label_IPPassword"));
    Label14 = named(label(GroupBox_Host, QStringLiteral("(freilassen, um kein Passwort zu verwenden)"), 16, 70), "Label14");
    Label14->setFont(pixelFont(font(), 15));
    Label14->adjustSize();
    Button_IPSettings = button(GroupBox_Host, "Button_IPSettings", QStringLiteral("Spiel&einstellungen"), {16, 98, 220, 41});
    Button_HostStart = button(GroupBox_Host, "Button_HostStart", QStringLiteral("Auf Mit&spieler warten"), {256, 98, 228, 41});

    GroupBox_Client = named(new QGroupBox(QStringLiteral("Teilnehmereinstellungen"), page), "GroupBox_Client");
    GroupBox_Client->setGeometry(16, 320, 500, 120);
    Edit_IP = edit(GroupBox_Client, "Edit_IP", {136, 32, 200, 34});
    labelEndingAt(GroupBox_Client, QStringLiteral("&IP-Adresse:"), 128, 36, Edit_IP)->setObjectName(QStringLiteral("Label_IP"));
    Label15 = named(label(GroupBox_Client, QStringLiteral("(IP-Adresse oder Computername)"), 136, 72), "Label15");
    Label15->setFont(pixelFont(font(), 15));
    Label15->adjustSize();
    Button_ClientStart = button(GroupBox_Client, "Button_ClientStart", QStringLiteral("Ver&binden"), {352, 30, 132, 41});

    // No mode chosen yet: both groups are closed.
    RadioGroup_ConnectionModeClick();

    Button_IPCancel = button(page, "Button_IPCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    Button_IPCancel->setCancelButton(true);
    setCancelGlyph(Button_IPCancel);
    Button_Troubleshooting = button(page, "Button_Troubleshooting", QStringLiteral("Informationen zur Problembehandlung"),
                                    {16, 452, 500, 41});
    Button_Troubleshooting->setFont(pixelFont(font(), 15));
    Button_Troubleshooting->setGlyph(glyph("info.png"));

    for (TKxBitBtn *each : {Button_IPSettings, Button_HostStart, Button_ClientStart})
        each->setFocusPolicy(Qt::NoFocus);
    // Return starts what the chosen mode offers; the other mode's group is
    // closed, and with it its button.
    Button_HostStart->setDefaultButton(true);
    Button_ClientStart->setDefaultButton(true);
    // Nickname and password travel as 8-bit text and become player names.
    for (QLineEdit *text : {Edit_IPName, Edit_IPPassword}) {
        text->setValidator(new CodePageValidator(text));
        connect(text, &QLineEdit::inputRejected, this, [this] { sound().beep(); });
    }
    chainTabOrder({RadioGroup_ConnectionMode, Edit_IPName, GroupBox_Host, Edit_IPPassword, GroupBox_Client, Edit_IP,
                   Button_IPCancel, Button_Troubleshooting});

    connect(Button_IPSettings, &QAbstractButton::clicked, this, &TForm1::PropertiesClick);
    connect(Button_IPCancel, &QAbstractButton::clicked, this, [this] { Button_IPCancelClick(Button_IPCancel); });
    connect(RadioGroup_ConnectionMode, &TRadioGroup::Click, this, &TForm1::RadioGroup_ConnectionModeClick);
    connect(Button_HostStart, &QAbstractButton::clicked, this, &TForm1::Button_HostStartClick);
    connect(Button_ClientStart, &QAbstractButton::clicked, this, &TForm1::Button_ClientStartClick);
    connect(Button_Troubleshooting, &QAbstractButton::clicked, this, &TForm1::Button_TroubleshootingClick);
}

void TForm1::createSoloPage(QWidget *page)
{
    Panel6 = banner(page, "Panel6", QStringLiteral("Allein spielen"));
    Logo6 = decoration(page, "Logo6", 534);
    Logo6->setPicture(decorationPicture());

    SoloName = edit(page, "SoloName", {240, 52, 201, 34});
    labelEndingAt(page, QStringLiteral("&Name:"), 222, 56, SoloName)->setObjectName(QStringLiteral("Label_SoloName"));
    SoloName->setValidator(new CodePageValidator(SoloName));
    connect(SoloName, &QLineEdit::inputRejected, this, [this] { sound().beep(); });

    SoloDifficulty = named(new TRadioGroup(QStringLiteral("Schwierigkeit"),
                                           {QStringLiteral("&leicht"), QStringLiteral("&mittel"),
                                            QStringLiteral("&schwer"), QStringLiteral("&gemischt")},
                                           page),
                           "SoloDifficulty");
    SoloDifficulty->setGeometry(240, 100, 273, 150);

    SoloTopic = named(new QComboBox(page), "SoloTopic");
    SoloTopic->setGeometry(240, 264, 273, 36);
    labelEndingAt(page, QStringLiteral("&Thema:"), 222, 268, SoloTopic)->setObjectName(QStringLiteral("Label_SoloTopic"));

    SoloInfo = named(new QLabel(QStringLiteral("Die Wörter wählt der Computer. Runden, Fehler und Zeit gelten, "
                                               "wie sie unter „Einstellungen“ stehen."),
                                page),
                     "SoloInfo");
    SoloInfo->setGeometry(24, 320, 489, 60);
    SoloInfo->setWordWrap(true);

    SoloCancel = button(page, "SoloCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    SoloCancel->setCancelButton(true);
    setCancelGlyph(SoloCancel);
    SoloOK = button(page, "SoloOK", QStringLiteral("OK"), {328, 504, 185, 57});
    SoloOK->setDefaultButton(true);
    setOkGlyph(SoloOK);

    chainTabOrder({SoloName, SoloDifficulty, SoloTopic, SoloCancel, SoloOK});

    connect(SoloDifficulty, &TRadioGroup::Click, this, &TForm1::SoloDifficultyClick);
    connect(SoloOK, &QAbstractButton::clicked, this, &TForm1::SoloOKClick);
    connect(SoloCancel, &QAbstractButton::clicked, this, &TForm1::SoloCancelClick);
}

void TForm1::connectHandlers()
{
    connect(Update, &UpdateComponent::programEndRequested, this, &TForm1::updateEndsProgram);

    // What the match says of every move, whoever made it.
    connect(m_match, &MatchState::matchStarted, this, &TForm1::showRecord);
    connect(m_match, &MatchState::wordSet, this, &TForm1::showTurn);
    connect(m_match, &MatchState::guessAnswered, this, &TForm1::showGuess);
    connect(m_match, &MatchState::clockChanged, this, &TForm1::TimerTimer);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::showTurnEnd);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::showRecord);
    connect(m_match, &MatchState::standingsChanged, this, &TForm1::showStandings);
    connect(m_match, &MatchState::turnChanged, this, &TForm1::showNextTurn);
    connect(m_match, &MatchState::turnStarted, this, &TForm1::showHint);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::showHint);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::soloTurnEnds);
    connect(m_match, &MatchState::matchEnded, this, &TForm1::soloMatchEnded);
    connect(m_match, &MatchState::hintGiven, this, [this] {
        curMistakes->setValue(RoundState.mistakes());
        DrawWord();
        showHint();
    });
}
