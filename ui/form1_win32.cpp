// Hands Form1's native window to Module1, which puts "Valiuta" and "Apie..." into its system
// menu.
#include "form1.h"

#include "currencynames.h"
#include "module1.h"

#include <array>
#include <cstddef> // size_t
#include <iterator> // size
#include <optional>
#include <string>

namespace {

HWND handleOf(const QWidget &window)
{
    return reinterpret_cast<HWND>(window.winId());
}

// The entries of the "Valiuta" submenu are the currencies' names table's, in its order.
static_assert(std::size(Module1::currencyCommands) == suma::currencyNames.size());

UINT_PTR commandOf(suma::Currency currency)
{
    return Module1::currencyCommands[suma::positionOf(currency)];
}

std::optional<suma::Currency> currencyOf(UINT_PTR command)
{
    for (std::size_t i = 0; i < suma::currencyNames.size(); ++i) {
        if (Module1::currencyCommands[i] == command)
            return suma::currencyNames[i].currency;
    }
    return std::nullopt;
}

} // namespace

void Form1::extendWindowMenu()
{
    const HWND hWnd = handleOf(*this); // winId() makes the native window if need be
    std::array<std::wstring, suma::currencyNames.size()> texts;
    Module1::CurrencyTexts pointers{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = suma::currencyNames[i].menuText.toString().toStdWString();
        pointers[i] = texts[i].c_str();
    }
    Module1::appendCurrencyMenu(hWnd, pointers, commandOf(m_currency));
    Module1::appendAboutEntry(hWnd);
}

void Form1::installWindowProc()
{
    const HWND hWnd = handleOf(*this);
    // The handler runs inside WindowProc, and an exception cannot unwind through the window
    // manager: noexcept ends the program instead.
    Module1::installWindowProc(hWnd, [this, hWnd](UINT_PTR command) noexcept {
        if (command == Module1::aboutCommand) {
            showAbout();
            return true;
        }
        const std::optional<suma::Currency> currency = currencyOf(command);
        if (!currency)
            return false;
        chooseCurrency(*currency);
        Module1::checkCurrencyEntry(hWnd, command);
        return true;
    });
}

void Form1::restoreWindowProc()
{
    Module1::restoreWindowProc(handleOf(*this));
}

// Qt opens the system menu for Alt+Space itself and hands the chosen command straight to its
// own window procedure, past WindowProc; that procedure hands it on to the window here, to the
// same handler. Chosen with the mouse, a command reaches WindowProc first and goes no further,
// so it is answered once whichever way it is chosen.
bool Form1::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SYSCOMMAND && Module1::answerCommand(msg->hwnd, msg->wParam)) {
        *result = 0;
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
}
