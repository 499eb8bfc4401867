#include "transfer/curldurchlauf.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {
struct MultiFreigabe {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// The pause while libcurl has no socket: short, as the moment usually passes at once, and
// growing, so a state that lasts (a name being resolved without a socket to show for it)
// costs no more than a wake-up every few milliseconds.
constexpr std::chrono::microseconds ersteAtempause{ 100 };
constexpr std::chrono::microseconds laengsteAtempause{ 8000 };
constexpr int laengstesWarten = 1000;

CURLcode multiFehler(CURLMcode code)
{
    return code == CURLM_OUT_OF_MEMORY ? CURLE_OUT_OF_MEMORY : CURLE_FAILED_INIT;
}

// Whether libcurl names any socket to wait for now.
bool hatSocket(CURLM* multi, CURLMcode& code)
{
    fd_set lesen;
    fd_set schreiben;
    fd_set ausnahme;
    FD_ZERO(&lesen);
    FD_ZERO(&schreiben);
    FD_ZERO(&ausnahme);
    int hoechster = -1;
    code = curl_multi_fdset(multi, &lesen, &schreiben, &ausnahme, &hoechster);
    return hoechster >= 0;
}

CURLMcode warten(CURLM* multi)
{
    long frist = -1;
    if (const CURLMcode code = curl_multi_timeout(multi, &frist); code != CURLM_OK)
        return code;
    const int ms = frist < 0 ? laengstesWarten : int(std::min<long>(frist, laengstesWarten));
    int bereit = 0;
    return curl_multi_poll(multi, nullptr, 0, ms, &bereit);
}
} // namespace

CURLcode curlDurchfuehren(CURL* handle)
{
    const std::unique_ptr<CURLM, MultiFreigabe> multi(curl_multi_init());
    if (!multi)
        return CURLE_OUT_OF_MEMORY;
    if (const CURLMcode code = curl_multi_add_handle(multi.get(), handle); code != CURLM_OK)
        return multiFehler(code);
    CURLMcode code = CURLM_OK;
    std::chrono::microseconds atempause = ersteAtempause;
    for (int laufend = 1; code == CURLM_OK;) {
        code = curl_multi_perform(multi.get(), &laufend);
        if (code != CURLM_OK || !laufend)
            break;
        if (hatSocket(multi.get(), code)) {
            atempause = ersteAtempause;
            code = warten(multi.get());
        } else if (code == CURLM_OK) {
            std::this_thread::sleep_for(atempause);
            atempause = std::min(atempause * 2, laengsteAtempause);
        }
    }
    // Without libcurl's word on how it ended, the transfer counts as failed.
    CURLcode ergebnis = code == CURLM_OK ? CURLE_FAILED_INIT : multiFehler(code);
    int uebrig = 0;
    while (const CURLMsg* nachricht = curl_multi_info_read(multi.get(), &uebrig))
        if (code == CURLM_OK && nachricht->msg == CURLMSG_DONE && nachricht->easy_handle == handle)
            ergebnis = nachricht->data.result;
    curl_multi_remove_handle(multi.get(), handle);
    return ergebnis;
}
