#include "platform/BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>

BusyPointer::Claim::Claim(Claim&& other) noexcept : m_owner(other.m_owner), m_id(other.m_id)
{
    other.m_owner = nullptr;
}

BusyPointer::Claim& BusyPointer::Claim::operator=(Claim&& other) noexcept
{
    if (this != &other) {
        release();
        m_owner = other.m_owner;
        m_id = other.m_id;
        other.m_owner = nullptr;
    }
    return *this;
}

void BusyPointer::Claim::release()
{
    if (BusyPointer* owner = m_owner) {
        m_owner = nullptr;
        owner->drop(m_id);
    }
}

BusyPointer::Claim BusyPointer::claim(Shape shape)
{
    const int id = m_nextId++;
    m_claims.push_back({id, shape});
    update();
    return Claim(this, id);
}

void BusyPointer::drop(int id)
{
    std::erase_if(m_claims, [id](const Held& held) { return held.id == id; });
    update();
}

void BusyPointer::update()
{
    Shape wanted = Shape::Default;
    for (const Held& held : m_claims)
        if (held.shape == Shape::Hourglass || wanted == Shape::Default)
            wanted = held.shape;
    if (wanted == m_shown)
        return;
    m_shown = wanted;
    show(wanted);
}

BusyPointer::~BusyPointer()
{
    if (m_overridden)
        QGuiApplication::restoreOverrideCursor();
}

void BusyPointer::show(Shape shape)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (shape == Shape::Default) {
        if (m_overridden)
            QGuiApplication::restoreOverrideCursor();
        m_overridden = false;
        return;
    }
    const QCursor cursor(shape == Shape::Hourglass ? Qt::WaitCursor : Qt::BusyCursor);
    if (m_overridden)
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
    m_overridden = true;
}
