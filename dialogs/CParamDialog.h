#pragma once

#include "dialogs/DialogResult.h"

#include <QDialog>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <initializer_list>

class QFontMetrics;
class QLabel;
class QPushButton;

// The frame shared by the small parameter dialogs: the OK and Cancel buttons,
// the modal run with its IDOK / IDCANCEL result, a layout in dialog units, and
// the rule that nothing confirms the dialog while its OK button is disabled.
//
// The caller sets the value members of the concrete dialog, runs DoModal and
// reads the members back only after IDOK. Each time the dialog is shown,
// OnInitDialog fills the controls from the members afresh.
class CParamDialog : public QDialog {
    Q_OBJECT
public:
    ~CParamDialog() override;

    // Shows the dialog modally; IDOK when it was confirmed with OK, IDCANCEL
    // when it was left any other way.
    int DoModal();

    // Fills the controls from the value members. Returning true lets the first
    // enabled control of the tab order take the focus.
    virtual bool OnInitDialog() = 0;
    // Reads the controls into the value members and closes with OK.
    virtual void OnOK();
    virtual void OnCancel();

    void setVisible(bool visible) override;
    // The only way out with the OK result; refused while OK is disabled, so
    // neither Enter, nor a stray accept(), nor anything else can confirm
    // values the dialog has not validated.
    void done(int result) override;

    // The controls in tab order, as the dialog set them up.
    const QList<QWidget*>& TabOrder() const { return m_tabOrder; }
    // Horizontal and vertical base units of the dialog's font, in pixels.
    QSize BaseUnits() const { return m_baseUnits; }

    // Base units as the classic dialog manager derives them from a font: half
    // the average width of the 52 Latin letters, rounded, and the line height.
    static QSize BaseUnitsOf(const QFontMetrics& metrics);
    // A rectangle in dialog units (x, y, width, height) as pixels. The two
    // edges are converted separately, as the dialog manager does, so controls
    // that touch in dialog units also touch in pixels.
    static QRect DialogUnitsToPixels(const QRect& dialogUnits, QSize baseUnits);

    QPushButton* m_buttonOK = nullptr;
    QPushButton* m_buttonCancel = nullptr;

protected:
    // sizeInDialogUnits is the template's client size.
    CParamDialog(const QString& title, QSize sizeInDialogUnits, QWidget* parent);

    // Puts a control at its template position. The rectangle only grows: to
    // the control's minimum height, and to the width of the widest of
    // widestTexts (texts it will show later) or of its present text.
    void Place(QWidget* control, int x, int y, int width, int height,
        const QStringList& widestTexts = {});
    QLabel* AddLabel(const QString& text, int x, int y, int width, int height,
        const QStringList& widestTexts = {});
    void PlaceButtons(const QRect& okDialogUnits, const QRect& cancelDialogUnits);
    void SetTabOrder(std::initializer_list<QWidget*> controls);
    // Fixes the dialog's size: the template's size, grown if a control had to
    // grow past it.
    void FinishLayout();

private:
    void FocusFirstControl();

    QSize m_sizeInDialogUnits;
    QSize m_baseUnits;
    QList<QWidget*> m_tabOrder;
};
