#include "model/CMiravelDoc.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char** argv)
{
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
    auto* label = new QLabel(QStringLiteral("%1 x %2 x %3, %4 cubes")
                                 .arg(doc.m_sizeX)
                                 .arg(doc.m_sizeY)
                                 .arg(doc.m_sizeZ)
                                 .arg(doc.m_cubes.size()));
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
