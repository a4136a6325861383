#pragma once

#include <cstdint>
#include <string>

#include "updater/HttpSession.h"

// The two fetches of the update. Both GET an absolute http:// address and
// return FETCH_OK, FETCH_FAILED or the status of a refused response (above
// 200), as HttpSession::Get. The session is reused from fetch to fetch; the
// forms without one make a session of their own for the one fetch.

// The most a text body may hold: an index or a listing page is far smaller,
// and a server that sends more (or never stops) must not take the memory.
inline constexpr size_t MAX_TEXT_BODY = 16 * 1024 * 1024;

// The body as text, handed on in chunks of at most 1024 bytes of which each
// contributes the bytes before its first zero byte. On FETCH_OK the text is
// the body ("" when the cancel flag was set at the start); on any other
// result it is "". A body above MAX_TEXT_BODY bytes fails (FETCH_FAILED)
// without being kept.
int FetchText(HttpSession& session, std::string address, std::string& text, const bool* cancel);
int FetchText(std::string address, std::string& text, const bool* cancel);

// The body's bytes, copied into buffer. The caller sets *received to 0; it
// is set once the response is accepted and holds the body's length on
// FETCH_OK (0 when the cancel flag was set at the start). A body larger than
// capacity, one cut short, a stall or a cancel after the response was
// accepted give FETCH_FAILED with *received 0, so that nothing partial is
// ever stored. Before that (a refused status, no connection, no answer)
// *received stays as the caller set it.
int FetchData(HttpSession& session, std::string address, unsigned char* buffer, int32_t* received,
              int32_t capacity, const bool* cancel);
int FetchData(std::string address, unsigned char* buffer, int32_t* received, int32_t capacity,
              const bool* cancel);
