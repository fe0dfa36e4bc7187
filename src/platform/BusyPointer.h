#pragma once

#include <vector>

// The screen-wide mouse pointer, shared by every flow that makes the user wait (page load,
// download, export). Each flow holds its own claim; the pointer is busy while any claim is held,
// so a flow that ends never clears another flow's pointer. The shapes keep their classic numbers:
// 0 default, 11 hourglass, 13 arrow with hourglass. With several claims held, the hourglass (the
// user's own action under way) wins over the arrow with hourglass (a page loading behind).
class BusyPointer
{
public:
    enum class Shape { Default = 0, Hourglass = 11, ArrowHourglass = 13 };

    // A held claim; releasing it (or destroying it) gives the pointer back. An empty claim holds
    // nothing. The pointer service must outlive its claims.
    class Claim
    {
    public:
        Claim() = default;
        ~Claim() { release(); }
        Claim(Claim&& other) noexcept;
        Claim& operator=(Claim&& other) noexcept;
        Claim(const Claim&) = delete;
        Claim& operator=(const Claim&) = delete;

        void release();
        [[nodiscard]] bool isHeld() const { return m_owner != nullptr; }

    private:
        friend class BusyPointer;
        Claim(BusyPointer* owner, int id) : m_owner(owner), m_id(id) {}
        BusyPointer* m_owner = nullptr;
        int m_id = 0;
    };

    BusyPointer() = default;
    virtual ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    [[nodiscard]] Claim claim(Shape shape);
    // What the pointer shows now.
    [[nodiscard]] Shape shape() const { return m_shown; }
    [[nodiscard]] int claimCount() const { return int(m_claims.size()); }

protected:
    // Puts the shape on the screen; called only when it changes. The default sets the
    // application's override cursor (one level, owned by this service).
    virtual void show(Shape shape);

private:
    struct Held {
        int id;
        Shape shape;
    };
    void drop(int id);
    void update();

    std::vector<Held> m_claims;
    int m_nextId = 1;
    Shape m_shown = Shape::Default;
    bool m_overridden = false; // this service holds one level of the override cursor
};
