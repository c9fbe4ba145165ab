#pragma once

#include <QString>

// The system calculator, started from the main window.
namespace shell {

// The command that starts the calculator: the one set with
// setCalculatorCommand(), else the environment variable TORVI_CALCULADORA,
// else the platform's calculator ("calc.exe" on Windows; elsewhere the
// first of gnome-calculator, kcalc, mate-calc, galculator, qalculate-gtk
// and xcalc found on the PATH). Empty when none is known.
QString calculatorCommand();

// Overrides the command (program, optionally followed by arguments); an
// empty text goes back to the environment and the platform default.
void setCalculatorCommand(const QString &command);

// Starts the calculator as a program of its own, in a normal window with
// the focus. When there is none or it cannot be started, a critical message
// tells the operator so; returns whether it started.
bool startCalculator();

} // namespace shell
