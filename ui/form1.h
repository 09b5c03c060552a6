#pragma once

#include "speller.h"

#include <QWidget>

// The one window of the program. It is the speller, too, so that the speller's tables and
// methods are the window's own public members.
class Form1 : public QWidget, public suma::Speller
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // The load step: fills the word tables first, then shows the window.
    void Form_Load();
};
