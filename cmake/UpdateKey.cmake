# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# The update key a build is made with must be a key: empty (updates are not
# signed) or the base64 of exactly 32 bytes, as "lettrisko-sign keygen"
# writes it. Anything else (an empty file read with $(cat ...) and a stray
# blank, a cut line, the secret key by mistake) stops the configuration
# rather than building a program that checks against nothing.
#
# Also runs as a script, for the tests:
#   cmake -DLETTRISKO_UPDATE_PUBLIC_KEY=... -P cmake/UpdateKey.cmake
function(lettrisko_check_update_key key)
    if(key STREQUAL "")
        return()
    endif()
    # 32 bytes: 42 full characters, one that carries the last four bits
    # (its two low bits zero), and one '=' of padding.
    string(LENGTH "${key}" length)
    if(NOT length EQUAL 44 OR NOT key MATCHES "^[A-Za-z0-9+/]+[AEIMQUYcgkosw048]=$")
        # The value itself is not repeated: it may be a secret key.
        message(FATAL_ERROR "LETTRISKO_UPDATE_PUBLIC_KEY is not a public key: expected the 44 characters of "
                            "base64 that \"lettrisko-sign keygen NAME\" writes to NAME.pub; the value given "
                            "(${length} characters) is not one. Leave it empty to build without signed updates.")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    lettrisko_check_update_key("${LETTRISKO_UPDATE_PUBLIC_KEY}")
endif()
