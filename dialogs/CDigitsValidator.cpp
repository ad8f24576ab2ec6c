#include "dialogs/CDigitsValidator.h"

CDigitsValidator::CDigitsValidator(QObject* parent)
    : QValidator(parent)
{
}

QValidator::State CDigitsValidator::validate(QString& input, int& pos) const
{
    QString digits;
    digits.reserve(input.size());
    int newPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const char16_t c = input[i].unicode();
        if (input[i].isSpace()) {
            if (i < pos)
                --newPos;
        } else if (c >= u'0' && c <= u'9') {
            digits += QChar(c);
        } else if (c >= u'\uFF10' && c <= u'\uFF19') {
            digits += QChar(char16_t(u'0' + (c - u'\uFF10')));
        } else {
            return Invalid;
        }
    }
    input = digits;
    pos = newPos;
    return Acceptable;
}
