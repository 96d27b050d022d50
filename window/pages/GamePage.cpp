// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/GamePage.h"

#include "controls/Named.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "game/MatchState.h"
#include "game/WordLayout.h"
#include "text/CharSet.h"
#include "window/pages/PageKit.h"

#include <QCollator>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>

using namespace PageKit;

namespace {

constexpr int kCharacterPoints = 28;
constexpr int kNumberPoints = 10;

// Wrong guesses are listed in dictionary order, so Ä stands beside A and
// not behind Z.
class WrongGuessItem : public QListWidgetItem
{
public:
    // Each guess fills its column of the list and stands in its middle,
    // apart from its neighbours.
    WrongGuessItem(QChar guess, QSize column)
        : QListWidgetItem(QString(guess))
    {
        setSizeHint(column);
        setTextAlignment(Qt::AlignCenter);
    }

    bool operator<(const QListWidgetItem &other) const override
    {
        static const QCollator collator = [] {
            QCollator german{QLocale(QLocale::German, QLocale::Germany)};
            german.setCaseSensitivity(Qt::CaseInsensitive);
            return german;
        }();
        const int order = collator.compare(text(), other.text());
        return order != 0 ? order < 0 : text() < other.text();
    }
};

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

TKxDigit *counter(QWidget *page, const char *name, int x)
{
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
}

} // namespace

GamePage::GamePage(const MatchState &match, QWidget *parent)
    : QWidget(parent)
    , m_match(match)
{
    setObjectName(QStringLiteral("Spiel"));
    WordGuessingInfo = banner(this, "WordGuessingInfo", QStringLiteral("Zeichenjagd"));

    GameStartGame = button(this, "GameStartGame", QStringLiteral("Beginnen!"), {40, 48, 713, 65});
    GameStartGame->setFont(pixelFont(font(), 27));

    WordPaintBox = named(new TPaintBox(this), "WordPaintBox");
    WordPaintBox->setGeometry(0, 120, 793, 289);

    TimeLabel = named(label(this, QStringLiteral("verbleibende Zeit (s):"), 24, 416), "TimeLabel");
    Time = counter(this, "Time", 224);
    auto *mistakesCaption = label(this, QStringLiteral("Fehleranzahl:"), 468, 416);
    mistakesCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    mistakesCaption->setObjectName(QStringLiteral("Label_MistakeCount"));
    curMistakes = counter(this, "curMistakes", 600);
    auto *slash = label(this, QStringLiteral("/"), 672, 404);
    slash->setFont(pixelFont(font(), 32));
    slash->adjustSize();
    MaxMistakes = counter(this, "MaxMistakes", 692);

    auto *wrongCaption = named(new QLabel(QStringLiteral("geratene, nicht vor- kommende Buchstaben:"), this),
                               "Label_WrongGuesses");
    wrongCaption->setGeometry(0, 456, 210, 49);
    wrongCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    wrongCaption->setWordWrap(true);

    // One row of 29 columns that scrolls sideways. A plain one-pixel frame
    // on every style leaves 551 = 29 x 19 pixels, so no column is ever cut,
    // and a scroll bar slim enough to leave the row its full height.
    constexpr int kWrongGuessColumns = 29;
    constexpr int kWrongGuessHeight = 26;
    CharList = named(new QListWidget(this), "CharList");
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

    GameOK = button(this, "GameOK", QStringLiteral("OK"), {624, 512, 153, 49});
    GameOK->setDefaultButton(true);
    GameOK->setFont(pixelFont(font(), 19));
    setOkGlyph(GameOK);
    GameOK->hide();

    // Alone, a hidden letter for a mistake, once a word.
    Hint = button(this, "Hint", QStringLiteral("&Tipp"), {24, 512, 153, 49});
    Hint->setFont(pixelFont(font(), 19));
    Hint->setFocusPolicy(Qt::NoFocus);
    Hint->hide();

    chainTabOrder({GameStartGame, GameOK, CharList});

    connect(GameStartGame, &QAbstractButton::clicked, this, &GamePage::GameStartGameClick);
    connect(WordPaintBox, &TPaintBox::Paint, this, &GamePage::FormPaint);
    connect(GameOK, &QAbstractButton::clicked, this, &GamePage::GameOKClick);
    connect(Hint, &QAbstractButton::clicked, this, &GamePage::HintClick);
    connect(&m_match, &MatchState::turnStarted, GameStartGame, &QWidget::hide);
    setUpTurnControls();
    setUpAccess();
}

void GamePage::setUpAccess()
{
    // A button that comes up on the page takes the focus, so that Return
    // presses it: "Beginnen!" at every turn's start, "OK" at its end. While
    // the turn runs the focus rests on the word, which takes no key of its
    // own: every typed character, the blank too, is a guess and nothing
    // else.
    GameStartGame->installEventFilter(this);
    GameOK->installEventFilter(this);
    // The wrong guesses are a record to read, never a place for the focus.
    CharList->setFocusPolicy(Qt::NoFocus);

    // Controls with a caption or a label of their own are named by it.
    WordPaintBox->setAccessibleName(QStringLiteral("Wort"));
    Time->setAccessibleName(QStringLiteral("verbleibende Zeit in Sekunden"));
    curMistakes->setAccessibleName(QStringLiteral("Fehleranzahl"));
    MaxMistakes->setAccessibleName(QStringLiteral("maximale Fehleranzahl"));
    CharList->setAccessibleName(QStringLiteral("geratene, nicht vorkommende Buchstaben"));
}

const TRoundState &GamePage::round() const
{
    return m_match.roundState();
}

QWidget *GamePage::restingPlace() const
{
    return WordPaintBox;
}

// The stack hides every page but the one it shows.
bool GamePage::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == GameStartGame || watched == GameOK) && !isHidden()) {
        auto *button = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show)
            button->setFocus(Qt::OtherFocusReason);
        else if (event->type() == QEvent::Hide && button->hasFocus())
            WordPaintBox->setFocus(Qt::OtherFocusReason);
    }
    return QWidget::eventFilter(watched, event);
}

void GamePage::showTurn(const QString &before, const QString &guesser, const QString &after, bool startOffered)
{
    const GameSettings &settings = m_match.settings();
    const bool timed = settings.TimeLimit != TimeLimitMode::NoLimit;
    showWithName(WordGuessingInfo, before, guesser, after);
    showNextWord();
    curMistakes->setValue(0);
    MaxMistakes->setValue(settings.Mistakes);
    TimeLabel->setVisible(timed);
    Time->setVisible(timed);
    Time->setValue(settings.TimeLimitValue);
    CharList->clear();
    GameStartGame->setVisible(startOffered);
    GameOK->hide();
}

void GamePage::showGuess(QChar key, Round::Guess result)
{
    if (result == Round::Guess::Refused || result == Round::Guess::Repeated)
        return;
    if (result == Round::Guess::Miss || result == Round::Guess::Lost) {
        curMistakes->setValue(round().mistakes());
        auto *wrongGuess = new WrongGuessItem(upperCaseOf(key), CharList->gridSize());
        CharList->addItem(wrongGuess);
        CharList->sortItems();
        // Sorted in, the new guess may land beyond the visible columns.
        CharList->scrollToItem(wrongGuess);
    }
    showTried(key, result == Round::Guess::Hit || result == Round::Guess::Won);
    if (round().timeLimit() == Round::TimeLimit::PerGuess)
        Time->setValue(round().secondsLeft());
    DrawWord();
}

void GamePage::showSecondsLeft(int seconds)
{
    Time->setValue(seconds);
}

void GamePage::showTurnEnd(const TurnRecord &turn)
{
    // Running out of time costs the full count of mistakes.
    curMistakes->setValue(turn.mistakes);
    DrawWord();
    showOutcome(turn);
    GameOK->show();
}

void GamePage::showHint(bool shown, bool usable)
{
    Hint->setVisible(shown);
    Hint->setEnabled(usable);
}

void GamePage::showHintTaken(QChar letter)
{
    // A hint's mistake counts as any other.
    curMistakes->setValue(round().mistakes());
    showTried(letter, true);
    DrawWord();
}

void GamePage::GameStartGameClick()
{
    Q_EMIT startClicked();
}

void GamePage::GameOKClick()
{
    Q_EMIT okClicked();
}

void GamePage::HintClick()
{
    Q_EMIT hintClicked();
}

void GamePage::DrawWord()
{
    WordPaintBox->update();
    showWordToReaders();
}

void GamePage::showWordToReaders()
{
    WordPaintBox->setAccessibleText(round().spokenWord());
}

void GamePage::FormPaint(QPainter &painter)
{
    const TRoundState &state = round();
    if (isHidden() || (!state.RoundRunning && !state.RoundOver))
        return;

    // Point sizes become pixels once, at the box's resolution, so that the
    // picture is the same on screen and when rendered into an image.
    const int dpi = WordPaintBox->logicalDpiY();
    QFont characterFont = font();
    characterFont.setPixelSize(qRound(kCharacterPoints * dpi / 72.0));
    QFont numberFont = font();
    numberFont.setPixelSize(qRound(kNumberPoints * dpi / 72.0));
    const QFontMetrics characterMetrics(characterFont);
    const QFontMetrics numberMetrics(numberFont);

    const QColor textColour = WordPaintBox->palette().color(QPalette::WindowText);
    const QColor missingColour(255, 0, 0);
    const QColor background = WordPaintBox->palette().color(QPalette::Window);
    // Once the turn is over, what was not guessed shows in red.
    auto colourAt = [&state, &textColour, &missingColour](int i) {
        const bool missing = !state.isRevealed(state.SecretWord.at(i));
        return missing && state.RoundOver ? missingColour : textColour;
    };

    // Each text goes on an opaque patch of the background, as a solid brush
    // would leave it.
    auto drawCentred = [&painter, &background](const QFontMetrics &metrics, int centreX, int top,
                                                 const QString &text) {
        const int width = metrics.horizontalAdvance(text);
        const QRect patch(WordLayout::centredLeft(centreX, width), top, width, metrics.height());
        painter.fillRect(patch, background);
        painter.drawText(patch.left(), top + metrics.ascent(), text);
    };

    // Line by line, the characters and then their numbers: within a line
    // the two never overlap, and changing the font only twice per line keeps
    // repainting a long word cheap.
    painter.save();
    const QString &word = state.SecretWord;
    const int perLine = WordLayout::cellsPerLine();
    for (int lineStart = 0; lineStart < word.size(); lineStart += perLine) {
        const int lineEnd = qMin(lineStart + perLine, int(word.size()));

        painter.setFont(characterFont);
        for (int i = lineStart; i < lineEnd; ++i) {
            const QPoint cell = WordLayout::cellOrigin(i + 1);
            QChar c = word.at(i);
            if (!state.isRevealed(c) && !state.RoundOver)
                c = QLatin1Char('_');
            painter.setPen(colourAt(i));
            drawCentred(characterMetrics, cell.x() + WordLayout::kCellCentre, cell.y(),
                        QLatin1Char(' ') + c + QLatin1Char(' '));
        }

        // Each number sits right under its character's own height.
        painter.setFont(numberFont);
        for (int i = lineStart; i < lineEnd; ++i) {
            const QPoint cell = WordLayout::cellOrigin(i + 1);
            painter.setPen(colourAt(i));
            drawCentred(numberMetrics, cell.x() + WordLayout::kCellCentre, cell.y() + characterMetrics.height(),
                        QString::number(i + 1));
        }
    }
    painter.restore();
}
