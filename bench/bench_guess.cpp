// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// One guess on a 60-character word: the key handled and the word painted
// again into an off-screen image, as the screen would show it.
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "game/GameSettings.h"
#include "game/WordRules.h"
#include "platform/SoundService.h"
#include "window/TForm1.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QTemporaryDir>

#include <memory>

namespace {

class SilentSound : public SoundService
{
public:
    bool playResource(const QString &) override { return true; }
    void beep() override {}
    void exclamationBeep() override {}
};

struct GuessingWindow
{
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    QImage image;
    QWidget *wordBox = nullptr;

    GuessingWindow()
    {
        FormEnvironment environment;
        environment.settingsDirectory = dir.path();
        environment.sound = std::make_shared<SilentSound>();
        environment.automaticUpdate = false;
        form = std::make_unique<TForm1>(environment);
    }

    // A turn just started, so that the guess measured is its first.
    void newTurn()
    {
        // A maximum of 0 keeps the turn running however many wrong guesses.
        GameSettings settings;
        settings.Rounds = 1;
        settings.Mistakes = 0;
        settings.SetFirstLetter = true;
        settings.AcceptSentences = true;
        form->startMatch(settings, {QStringLiteral("Anna"), QStringLiteral("Bert")});
        form->keyboard()->setWord(
            QStringLiteral("DIE SCHNELLE BRAUNE KATZE SPRINGT UEBER DEN FAULEN HUND AM FLUSS").left(60));
        form->keyboard()->startTurn();
        wordBox = form->findChild<QWidget *>(QStringLiteral("WordPaintBox"));
        if (image.isNull())
            image = QImage(wordBox->size(), QImage::Format_ARGB32_Premultiplied);
        // The page laid out and painted once, and the last match's seats
        // gone, as a turn stands when its player types.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        wordBox->render(&image);
    }

    void guess(QChar key)
    {
        form->FormKeyPress(key);
        wordBox->render(&image);
    }
};

// Made in main, so that it goes before the application does.
GuessingWindow *theWindow = nullptr;

GuessingWindow &window()
{
    return *theWindow;
}

void BM_RightGuess(benchmark::State &state)
{
    GuessingWindow &w = window();
    for (auto _ : state) {
        state.PauseTiming();
        w.newTurn();
        state.ResumeTiming();
        w.guess(QLatin1Char('e'));
        benchmark::DoNotOptimize(w.image.constBits());
    }
}

void BM_WrongGuess(benchmark::State &state)
{
    GuessingWindow &w = window();
    for (auto _ : state) {
        state.PauseTiming();
        w.newTurn();
        state.ResumeTiming();
        w.guess(QLatin1Char('x'));
        benchmark::DoNotOptimize(w.image.constBits());
    }
}

BENCHMARK(BM_RightGuess)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_WrongGuess)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        GuessingWindow guessing;
        theWindow = &guessing;
        benchmark::RunSpecifiedBenchmarks();
        theWindow = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
