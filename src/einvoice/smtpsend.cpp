#include "smtpsend.h"

#include "invoicerefused.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace smtpsend {

namespace {

struct Reading
{
    const QByteArray *message;
    qsizetype at = 0;
};

size_t readMessage(char *buffer, size_t size, size_t count, void *data)
{
    auto *reading = static_cast<Reading *>(data);
    const size_t left = size_t(reading->message->size() - reading->at);
    const size_t given = std::min(left, size * count);
    std::memcpy(buffer, reading->message->constData() + reading->at, given);
    reading->at += qsizetype(given);
    return given;
}

QByteArray urlOf(const QString &server)
{
    return (server.contains(QLatin1String("://")) ? server : QStringLiteral("smtps://%1:465").arg(server)).toUtf8();
}

}

void send(const Mailbox &mailbox, const QString &from, const QString &to, const QByteArray &message)
{
    if (!mailbox.server.startsWith(QLatin1String("smtps://")) && !mailbox.server.startsWith(QLatin1String("smtp://"))
        && mailbox.server.contains(QLatin1String("://")))
        throw InvoiceRefused{QStringLiteral("Il server PEC «%1» non è un indirizzo smtps:// o smtp://").arg(mailbox.server)};
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    std::unique_ptr<CURL, void (*)(CURL *)> curl(initialised ? curl_easy_init() : nullptr, curl_easy_cleanup);
    if (!curl)
        throw InvoiceRefused{QStringLiteral("La posta non si può inviare: libcurl non si avvia")};
    const QByteArray url = urlOf(mailbox.server);
    const QByteArray user = mailbox.user.toUtf8();
    const QByteArray sender = "<" + from.toUtf8() + ">";
    const QByteArray recipient = "<" + to.toUtf8() + ">";
    std::unique_ptr<curl_slist, void (*)(curl_slist *)> recipients(curl_slist_append(nullptr, recipient.constData()),
                                                                   curl_slist_free_all);
    const QByteArray authority = qgetenv("VELMORA_PEC_CA");
    char failure[CURL_ERROR_SIZE] = {};
    Reading reading{&message};
    CURL *handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(handle, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, mailbox.password.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, sender.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(handle, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(handle, CURLOPT_READDATA, &reading);
    curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, failure);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, 300L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    if (!authority.isEmpty())
        curl_easy_setopt(handle, CURLOPT_CAINFO, authority.constData());
    const CURLcode result = curl_easy_perform(handle);
    if (result != CURLE_OK)
        throw InvoiceRefused{
            QStringLiteral("Il server PEC %1 non ha accettato il messaggio: %2")
                .arg(QString::fromUtf8(url), QString::fromUtf8(failure[0] ? failure : curl_easy_strerror(result)))};
}

}
