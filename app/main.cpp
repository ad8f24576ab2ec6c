#include "model/CMiravelDoc.h"
#include "view/CMiravelView.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QSurfaceFormat>

int main(int argc, char** argv)
{
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    CMiravelDoc doc;
    doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
    doc.OnNewDocument();
    const QStringList args = app.arguments();
    if (args.size() > 1) {
        const DocResult r = doc.OnOpenDocument(args[1]);
        if (!r.ok)
            QMessageBox::warning(nullptr, QStringLiteral("MIRA-VEL"), r.message);
    }
    QMainWindow window;
    window.setWindowTitle(doc.GetTitle() + QStringLiteral(" - MIRA-VEL    Powered by Orvendale"));
    auto* view = new CMiravelView;
    window.setCentralWidget(view);
    window.resize(800, 600);
    view->SetDocument(&doc);
    window.show();
    return app.exec();
}
