// The application object's part in crash recovery: the start-up question.
// Keeping the copy itself is CRecoveryKeeper's business.
#include "app/CMiravelApp.h"

#include "app/CMainFrame.h"
#include "recovery/RecoveryKeeper.h"
#include "model/CMiravelDoc.h"

#include <QDir>

void CMiravelApp::OfferRecovery()
{
    const auto ask = [this](const CRecoveryCopy& copy) {
        // The splash stays above every window; the question must not hide
        // behind it.
        HideSplash();
        const QString document =
            copy.originalPath.isEmpty() ? copy.title : QDir::toNativeSeparators(copy.originalPath);
        return m_prompts.askRecover(m_pMainWnd.get(), document, copy.written);
    };
    const auto report = [this](const QString& message) {
        HideSplash();
        m_prompts.showError(m_pMainWnd.get(), message);
    };
    // A model opened from the command line is unmodified, so a restored copy
    // that takes its place loses nothing: the file is still there to open.
    if (m_recovery->Offer(*m_doc, ask, report))
        m_pMainWnd->AttachDocument(m_doc.get());
}
