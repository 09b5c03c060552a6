#include "form1.h"

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Suma žodžiais"));
}

void Form1::Form_Load()
{
    fillWordTables();
    show();
}
