// One GET through WinHTTP for the holiday fetcher: HTTPS, the system's proxy settings, redirects and
// time-outs, and nothing about the user (no cookies, a plain User-Agent).
#include "holidays/holiday_fetch.h"

#include <windows.h>
#include <winhttp.h>

#include "holidays/holiday_json.h"
#include "win/lazy_dll.h"
#include "win/text.h"

namespace {

// winhttp.dll is bound at the first fetch, so it stays out of the program's start.
struct WinHttp {
#define LUNORIA_WINHTTP(f) decltype(&::f) f = LazyFunction<decltype(&::f)>(L"winhttp.dll", #f)
    LUNORIA_WINHTTP(WinHttpOpen);
    LUNORIA_WINHTTP(WinHttpCloseHandle);
    LUNORIA_WINHTTP(WinHttpCrackUrl);
    LUNORIA_WINHTTP(WinHttpSetTimeouts);
    LUNORIA_WINHTTP(WinHttpConnect);
    LUNORIA_WINHTTP(WinHttpOpenRequest);
    LUNORIA_WINHTTP(WinHttpSetOption);
    LUNORIA_WINHTTP(WinHttpSendRequest);
    LUNORIA_WINHTTP(WinHttpReceiveResponse);
    LUNORIA_WINHTTP(WinHttpQueryHeaders);
    LUNORIA_WINHTTP(WinHttpReadData);
#undef LUNORIA_WINHTTP
    bool ok() const {
        return WinHttpOpen && WinHttpCloseHandle && WinHttpCrackUrl && WinHttpSetTimeouts && WinHttpConnect &&
               WinHttpOpenRequest && WinHttpSetOption && WinHttpSendRequest && WinHttpReceiveResponse &&
               WinHttpQueryHeaders && WinHttpReadData;
    }
};

const WinHttp& Api() {
    static const WinHttp api;
    return api;
}

// Closes a WinHTTP handle at the end of its scope.
struct HttpHandle {
    HINTERNET h = nullptr;
    explicit HttpHandle(HINTERNET handle) : h(handle) {}
    ~HttpHandle() {
        if (h) Api().WinHttpCloseHandle(h);
    }
    HttpHandle(const HttpHandle&) = delete;
    HttpHandle& operator=(const HttpHandle&) = delete;
};

std::string Problem(const std::string& host) {
    const DWORD error = GetLastError();
    switch (error) {
    case ERROR_WINHTTP_TIMEOUT: return host + " 没有回应";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "找不到 " + host;
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_CONNECTION_ERROR: return "连不上 " + host;
    case ERROR_WINHTTP_SECURE_FAILURE: return host + " 的安全证书不可信";
    default: return host + " 出错（" + std::to_string(error) + "）";
    }
}

} // namespace

bool HolidayHttpGet(const std::string& url, int* status, std::string* body, std::string* error) {
    const WinHttp& api = Api();
    if (!api.ok()) {
        *error = "没有 winhttp.dll";
        return false;
    }
    const std::wstring wideUrl = ToWide(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!api.WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts) || !parts.lpszHostName) {
        *error = "地址不对：" + url;
        return false;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo ? parts.lpszExtraInfo : L"", parts.dwExtraInfoLength);
    const std::string hostName = ToUtf8(host);

    const std::wstring agent = ToWide("Lunoria/" LUNORIA_VERSION);
    // The automatic proxy (Windows 8.1 on) follows every proxy setting; older Windows refuse it.
    HttpHandle session(api.WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                       WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.h)
        session.h = api.WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session.h) {
        *error = Problem(hostName);
        return false;
    }
    api.WinHttpSetTimeouts(session.h, 10000, 10000, 10000, 15000);
    HttpHandle connection(api.WinHttpConnect(session.h, host.c_str(), parts.nPort, 0));
    const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    HttpHandle request(connection.h ? api.WinHttpOpenRequest(connection.h, L"GET", path.c_str(), nullptr,
                                                             WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure)
                                    : nullptr);
    DWORD noCookies = WINHTTP_DISABLE_COOKIES;
    DWORD code = 0, size = sizeof code;
    if (!request.h || !api.WinHttpSetOption(request.h, WINHTTP_OPTION_DISABLE_FEATURE, &noCookies, sizeof noCookies) ||
        !api.WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !api.WinHttpReceiveResponse(request.h, nullptr) ||
        !api.WinHttpQueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                 WINHTTP_HEADER_NAME_BY_INDEX, &code, &size, WINHTTP_NO_HEADER_INDEX)) {
        *error = Problem(hostName);
        return false;
    }
    // One byte past the limit is enough to refuse the reply.
    body->clear();
    char buffer[8192];
    for (DWORD got = 0; body->size() <= kHolidayReplyMaxBytes; body->append(buffer, got)) {
        if (!api.WinHttpReadData(request.h, buffer, sizeof buffer, &got)) {
            *error = Problem(hostName);
            return false;
        }
        if (got == 0) break;
    }
    *status = static_cast<int>(code);
    return true;
}
