// Hands Form1's native window to Module1, which puts "Valiuta" and "Apie..." into its system
// menu.
#include "form1.h"

#include "module1.h"

#include <array>
#include <optional>
#include <utility> // pair

namespace {

HWND handleOf(const QWidget &window)
{
    return reinterpret_cast<HWND>(window.winId());
}

// Each currency's entry of the "Valiuta" submenu, in Module1's order.
constexpr std::array<std::pair<suma::Currency, UINT_PTR>, 3> currencyCommands{{
    {suma::Currency::Lt, Module1::currencyCommands[0]},
    {suma::Currency::Eur, Module1::currencyCommands[1]},
    {suma::Currency::EurNoun, Module1::currencyCommands[2]},
}};

UINT_PTR commandOf(suma::Currency currency)
{
    for (const auto &[known, command] : currencyCommands) {
        if (known == currency)
            return command;
    }
    return currencyCommands.front().second;
}

std::optional<suma::Currency> currencyOf(UINT_PTR command)
{
    for (const auto &[currency, known] : currencyCommands) {
        if (known == command)
            return currency;
    }
    return std::nullopt;
}

} // namespace

void Form1::extendWindowMenu()
{
    const HWND hWnd = handleOf(*this); // winId() makes the native window if need be
    Module1::appendCurrencyMenu(hWnd, commandOf(m_currency));
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
