#pragma once

#include <QValidator>

// Codes are kept in capitals whatever the keyboard gives.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};
