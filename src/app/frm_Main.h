#pragma once

#include <QMainWindow>

class TorvMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TorvMain(QWidget *parent = nullptr);
};
