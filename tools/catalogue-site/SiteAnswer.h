#pragma once

#include <QByteArray>

// What the site answers to one request, before it goes on the wire.
struct SiteAnswer {
    // Whole: the body in full. Stall: the headers and the body up to `cut`, then nothing more
    // until the client goes away (or the server stops). Reset: the headers and the body up to `cut`, then the
    // connection closes. Content-Length always announces the whole body.
    enum class Delivery { Whole, Stall, Reset };

    int status = 200;
    QByteArray contentType;
    QByteArray body;
    Delivery delivery = Delivery::Whole;
    qsizetype cut = 0;
};
