#pragma once
// A window that records the keys reaching its own key handler, as Tracking's
// windows take the arrows and the function keys themselves.

#include <QKeyEvent>
#include <QWidget>
#include <vector>

class KeyWindow : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};
