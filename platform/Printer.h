// The printer every print command of the program uses, and its setup dialog.
#pragma once

class QPrinter;
class QWidget;

// Created on first use, released when the application object goes.
QPrinter& ApplicationPrinter();

// The platform's printer setup dialog over ApplicationPrinter(): printer, paper, orientation.
// True when the user confirmed it.
bool ShowPrinterSetup(QWidget* parent);
