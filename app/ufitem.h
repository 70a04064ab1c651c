// TfrmItem: the main window. Owns the program's connection; searches and
// lists items and opens every other window.
#pragma once
#include <QMainWindow>

#include "udao.h"

class TfrmItem : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmItem(QWidget* parent = nullptr);
    ~TfrmItem() override;

    // The program's one connection; every window uses it through frmItem.
    clsDao* Dao = nullptr;

    void InitList(bool rebuildColumns);
    void SearchItem(const QString& selectCode);
    void UpdatePrintAction();
    void DeleteItems();
};
