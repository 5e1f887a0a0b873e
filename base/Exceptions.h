// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors are exceptions carrying a user-readable message and the name of their
// type, because the local error style shows "message: TypeName".

#include <QString>
#include <exception>
#include <string>

namespace twl {

class Exception : public std::exception {
public:
    explicit Exception(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toStdString()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }
    // Name of the error type as the user sees it in the local error style.
    virtual const char* typeName() const noexcept { return "Exception"; }

private:
    QString m_message;
    std::string m_utf8;
};

#define TWL_DECLARE_EXCEPTION(Name, Base)                                                          \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* typeName() const noexcept override { return #Name; }                           \
    };

TWL_DECLARE_EXCEPTION(EConvertError, Exception)
TWL_DECLARE_EXCEPTION(EMathError, Exception)
TWL_DECLARE_EXCEPTION(EZeroDivide, EMathError)
TWL_DECLARE_EXCEPTION(EOverflow, EMathError)
TWL_DECLARE_EXCEPTION(EInvalidOp, EMathError)
TWL_DECLARE_EXCEPTION(EInOutError, Exception)
TWL_DECLARE_EXCEPTION(EFCreateError, EInOutError)
TWL_DECLARE_EXCEPTION(EFOpenError, EInOutError)
TWL_DECLARE_EXCEPTION(EAbstractError, Exception)
TWL_DECLARE_EXCEPTION(EPropertyError, Exception)
TWL_DECLARE_EXCEPTION(EListError, Exception)
TWL_DECLARE_EXCEPTION(EIniFileException, Exception)
TWL_DECLARE_EXCEPTION(EFormatError, EConvertError)

} // namespace twl
