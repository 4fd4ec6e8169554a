#include "AppErrors.h"

#include "globals/Errors.h"

#include <QMessageBox>
#include <exception>
#include <new>

QString ErrorBoxText(const QString &message)
{
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}

void ShowErrorBox(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Orvane"), ErrorBoxText(message), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

QString CurrentExceptionText()
{
    try {
        throw;
    } catch (const EOrvane &e) {
        return e.Message();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}
