#pragma once

#include "app/CMainFrame.h"
#include "app/CMiravelApp.h"
#include "app/ShellPrompts.h"
#include "model/CMiravelDoc.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>

// Answers for the shell's questions, given in advance, and a record of what
// was asked. A question without a prepared answer fails the test: it would
// have stopped a real run at a dialog.
struct ScriptedPrompts {
    std::deque<SaveChangesAnswer> saveAnswers;
    std::deque<QString> openPaths;
    std::deque<QString> savePaths;
    QStringList saveQuestions; // document titles the save question named
    QStringList suggestedSavePaths;
    QStringList errors;
    // Called for every printer question; returns whether to print.
    std::function<bool(QPrinter&)> printer;

    CShellPrompts Make()
    {
        CShellPrompts p;
        p.askSaveChanges = [this](QWidget*, const QString& title) {
            saveQuestions.append(title);
            if (saveAnswers.empty()) {
                ADD_FAILURE() << "unexpected save question for " << title.toStdString();
                return SaveChangesAnswer::Cancel;
            }
            const SaveChangesAnswer a = saveAnswers.front();
            saveAnswers.pop_front();
            return a;
        };
        p.askOpenPath = [this](QWidget*) {
            if (openPaths.empty()) {
                ADD_FAILURE() << "unexpected open dialog";
                return QString();
            }
            const QString s = openPaths.front();
            openPaths.pop_front();
            return s;
        };
        p.askSavePath = [this](QWidget*, const QString& suggested) {
            suggestedSavePaths.append(suggested);
            if (savePaths.empty()) {
                ADD_FAILURE() << "unexpected save dialog";
                return QString();
            }
            const QString s = savePaths.front();
            savePaths.pop_front();
            return s;
        };
        p.showError = [this](QWidget*, const QString& message) { errors.append(message); };
        p.askPrinter = [this](QWidget*, QPrinter& pr) {
            if (!printer) {
                ADD_FAILURE() << "unexpected print dialog";
                return false;
            }
            return printer(pr);
        };
        return p;
    }
};

// Each test gets its own per-user store and settings folder, so runs never
// see each other's recent files, looks or display settings.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_home.path());
    }

    void TearDown() override
    {
        StopApp();
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    }

    // Starts the application with the scripted prompts. With hideSplash the
    // splash goes at once, so that the test's first input is not used up.
    // prepare runs on the new application object before its start-up.
    bool StartApp(const QStringList& extraArgs = {}, bool hideSplash = true,
                  const std::function<void(CMiravelApp&)>& prepare = {})
    {
        m_app = std::make_unique<CMiravelApp>();
        m_app->Prompts() = prompts.Make();
        if (prepare)
            prepare(*m_app);
        const bool ok = m_app->InitInstance(QStringList{QStringLiteral("miravel")} + extraArgs);
        if (hideSplash)
            m_app->HideSplash();
        return ok;
    }

    void StopApp()
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
    }

    CMiravelApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    CMiravelDoc& Doc() { return *m_app->Document(); }

    QString TempPath(const QString& name) const { return m_home.filePath(name); }

    // Writes a model file with the given cubes and grid size.
    QString WriteModel(const QString& name, const std::map<CUBEPOS, COLORREF>& cubes, int size = 4)
    {
        CMiravelDoc doc;
        doc.SetGridSize(size, size, size);
        for (const auto& [pos, colour] : cubes)
            doc.SetCube(pos.x, pos.y, pos.z, colour);
        const QString path = TempPath(name);
        EXPECT_TRUE(doc.OnSaveDocument(path).ok);
        return path;
    }

    static QSettings Store() { return QSettings(QStringLiteral("Orvendale"), QStringLiteral("MIRA-VEL")); }

    ScriptedPrompts prompts;

private:
    QTemporaryDir m_home;
    QByteArray m_oldConfigHome;
    std::unique_ptr<CMiravelApp> m_app;
};

inline QString Title(const QString& document)
{
    return document + QStringLiteral(" - MIRA-VEL    Powered by Orvendale");
}
