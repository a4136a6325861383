#pragma once

#include <map>
#include <set>

#include <QObject>

#include "skin/MenuWindowRecord.h"

class QMenu;
class QWidget;

// The skin's hold on pop-up menu windows. Every menu of the application is
// watched from its creation; it is subclassed (its record made, the active
// style's border widths given to it) when it is created and again each
// time it is about to show, and given back when it is hidden or destroyed.
class MenuWindowHook : public QObject
{
    Q_OBJECT

public:
    explicit MenuWindowHook(QObject* parent = nullptr);
    ~MenuWindowHook() override;

    void Watch(QMenu* menu);
    void Unwatch(QMenu* menu);

    void Subclass(QMenu& menu);
    void Unsubclass(QMenu& menu);
    const MenuWindowRecord* Record(const QWidget* menu) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnShow(QMenu& menu, MenuWindowRecord& record);
    void OnMove(QMenu& menu, MenuWindowRecord& record);

    std::set<const QObject*> m_watched;
    std::map<const QObject*, MenuWindowRecord> m_records;
};
