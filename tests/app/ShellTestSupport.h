#pragma once

// The application inside the test process, every question it asks answered
// from the test's prepared answers, with a per-user store, settings folder and
// recovery folder of its own so that runs never see each other's.
#include "app/CMainFrame.h"
#include "app/CMiravelApp.h"
#include "recovery/RecoveryKeeper.h"
#include "exchange/FileFormats.h"
#include "app/AppLooks.h"
#include "tests/app/ExchangeTestFiles.h"
#include "view/CMiravelView.h"

#include <QAction>
#include <QDir>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

inline QString Title(const QString& document)
{
    return document + QStringLiteral(" - MIRA-VEL    Powered by Orvendale");
}

// The next prepared answer. A question without one fails the test: it would
// have stopped a real run at a dialog.
template <class T>
T NextAnswer(std::deque<T>& answers, T none)
{
    EXPECT_FALSE(answers.empty()) << "a question nobody expected";
    if (answers.empty())
        return none;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", Temp(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", Temp(QStringLiteral("data")).toLocal8Bit()); // recovery copies
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Temp(QStringLiteral("config")));
    }
    void TearDown() override { StopApp(); }

    // Starts the application, ending a running one first as a restart would.
    // Unless told to keep it, the splash goes at once so that the test's first
    // input is not used up. prepare runs on the new application object before
    // its start-up. The recovery keeper runs on the test's clock, now.
    bool StartApp(const QStringList& args = {}, bool keepSplash = false,
                  const std::function<void(CMiravelApp&)>& prepare = {})
    {
        StopApp();
        m_app = std::make_unique<CMiravelApp>();
        CShellPrompts& p = m_app->Prompts();
        p.askSaveChanges = [this](QWidget*, const QString& title) {
            saveQuestions << title;
            return NextAnswer(saveAnswers, SaveChangesAnswer::Cancel);
        };
        // Open, import, save and export dialogs all take the next path.
        p.askOpenPath = p.askImportPath = [this](QWidget*) { return NextAnswer(paths, QString()); };
        p.askSavePath = [this](QWidget*, const QString&) { return NextAnswer(paths, QString()); };
        p.askExportPath = [this](QWidget*, const QString& filter, const QString& suffix, const QString&) {
            exportDialogs << filter + QLatin1Char('|') + suffix;
            return NextAnswer(paths, QString());
        };
        p.showError = [this](QWidget*, const QString& message) { errors << message; };
        p.showNotice = [this](QWidget*, const QString& message) { notices << message; };
        p.askPrinter = [this](QWidget*, QPrinter& printer) { return print && print(printer); };
        p.askRecover = [this](QWidget*, const QString& document, const QDateTime&) {
            recoverQuestions << document;
            return recoverAnswer;
        };
        m_app->Recovery()->SetClockForTesting([this] { return now; });
        m_app->m_exportProgressDelayMs = 0;
        if (prepare)
            prepare(*m_app);
        const bool ok = m_app->InitInstance(QStringList{QStringLiteral("miravel")} + args);
        if (!keepSplash)
            m_app->HideSplash();
        return ok;
    }

    void StopApp()
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
    }

    // A run that is killed: its recovery copy stays, its lock goes with it.
    void KillApp() { m_app.reset(); }

    bool Running() const { return m_app != nullptr; }
    CMiravelApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    CMiravelDoc& Doc() { return *m_app->Document(); }
    void Command(CommandId id) { Frame().Action(id)->trigger(); }
    void Export(ExchangeFormat format) { Frame().ExportAction(FileFormats::Get(format))->trigger(); }
    QString Temp(const QString& name) const { return m_home.filePath(name); }

    // Lets the recovery copy fall due and be written; the copies on disk.
    void WaitForCopy()
    {
        now += 30000;
        App().Recovery()->WriteIfDue();
        App().Recovery()->WaitForDisk();
    }
    qsizetype CopiesOnDisk()
    {
        if (Running() && App().Recovery())
            App().Recovery()->WaitForDisk();
        return QDir(Temp(QStringLiteral("data/Orvendale/MIRA-VEL/recovery"))).entryList({QStringLiteral("*.mvf")}, QDir::Files).size();
    }

    // A model file of a size x size x size grid holding these cubes.
    QString WriteModel(const QString& name, const Cells& cubes, int size = 4)
    {
        return WriteModelFile(Temp(name), cubes, size);
    }

    std::deque<SaveChangesAnswer> saveAnswers;
    std::deque<QString> paths;
    QStringList saveQuestions, errors, notices, exportDialogs, recoverQuestions;
    std::function<bool(QPrinter&)> print;
    RecoverAnswer recoverAnswer = RecoverAnswer::No;
    qint64 now = 0;

private:
    QTemporaryDir m_home;
    std::unique_ptr<CMiravelApp> m_app;
};
