#pragma once

#include <QValidator>

// Keeps a number edit to plain digits. Typed signs, letters and punctuation are
// refused outright. Pasted text is handled leniently where the intent is
// clear: white space is dropped and full-width digits, which a Japanese input
// method produces, become ASCII digits; anything else refuses the paste.
class CDigitsValidator : public QValidator {
    Q_OBJECT
public:
    explicit CDigitsValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
};
