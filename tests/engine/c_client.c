/* A client written in C that knows the engine only through vbmp3.h: proves the
 * header is valid C and drives a whole session on a WAV file it writes itself
 * (under a name that says nothing about the format). Exits 0 when all holds. */
#define _POSIX_C_SOURCE 200809L

#include "vbmp3.h"

#include <math.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

_Static_assert(sizeof(Vbmp3TrackInfo) == 272, "the record is 272 bytes");
_Static_assert(offsetof(Vbmp3TrackInfo, totalSec) == 268, "totalSec at byte 268");

static int failures = 0;

#define CHECK(cond)                                                                                \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond);                     \
            ++failures;                                                                            \
        }                                                                                          \
    } while (0)

static void put16(FILE* f, unsigned v) {
    fputc((int)(v & 0xFF), f);
    fputc((int)((v >> 8) & 0xFF), f);
}

static void put32(FILE* f, unsigned long v) {
    put16(f, (unsigned)(v & 0xFFFF));
    put16(f, (unsigned)((v >> 16) & 0xFFFF));
}

/* 16-bit mono, 1 kHz at 32 kHz (the middle of spectrum bin 16), half scale. */
static int writeWav(const char* path, unsigned long rate, unsigned long frames) {
    FILE* f = fopen(path, "wb");
    unsigned long i;
    if (!f)
        return 0;
    fputs("RIFF", f);
    put32(f, 36 + frames * 2);
    fputs("WAVEfmt ", f);
    put32(f, 16);
    put16(f, 1);
    put16(f, 1);
    put32(f, rate);
    put32(f, rate * 2);
    put16(f, 2);
    put16(f, 16);
    fputs("data", f);
    put32(f, frames * 2);
    for (i = 0; i < frames; ++i) {
        const double v = 16384.0 * sin(2.0 * 3.14159265358979 * 1000.0 * (double)i / (double)rate);
        put16(f, (unsigned)(int)lround(v) & 0xFFFF);
    }
    return fclose(f) == 0;
}

static void sleepMs(long ms) {
    struct timespec t;
    t.tv_sec = ms / 1000;
    t.tv_nsec = (ms % 1000) * 1000000L;
    nanosleep(&t, NULL);
}

/* Polls the position until it reaches sec; 0 if 15 s pass first. */
static int waitForSecond(int32_t sec) {
    int i;
    for (i = 0; i < 1500; ++i) {
        int32_t pos = 0;
        if (vbmp3_getState(&pos) == VBMP3_PLAYING && pos >= sec)
            return 1;
        sleepMs(10);
    }
    return 0;
}

int main(void) {
    char dir[] = "/tmp/hearvex-c-client-XXXXXX";
    char path[64];
    Vbmp3TrackInfo info;
    int32_t first[256], second[256], pos = -1, left = -1, right = -1;
    int i, top = 0;

    if (!mkdtemp(dir))
        return 1;
    snprintf(path, sizeof path, "%s/unit1.txt", dir);
    if (!writeWav(path, 32000, 32000 * 3))
        return 1;

    CHECK(vbmp3_play() == 0); /* before init */
    CHECK(vbmp3_getLastErrorNo() == VBMP3_ERR_NOT_INITIALISED);
    CHECK(vbmp3_init() != 0);
    CHECK(vbmp3_getWaveOutSupport() != 0);
    CHECK(vbmp3_getVolume(&left, &right) != 0 && left == 100 && right == 100);

    memset(&info, 0xFF, sizeof info);
    CHECK(vbmp3_open(path, &info) != 0);
    CHECK(strcmp(info.trackName, "unit1.txt") == 0);
    CHECK(info.secondName[0] == '\0' && info.secondName[127] == '\0');
    CHECK(info.channels == 1 && info.sampleRate == 32000 && info.totalSec == 3);
    CHECK(info.bitRate == 512);

    CHECK(vbmp3_play() != 0);
    CHECK(waitForSecond(1));
    for (i = 0; i < 256; ++i)
        first[i] = second[i] = 0;
    CHECK(vbmp3_getSpectrum(first, second) != 0);
    for (i = 1; i < 256; ++i)
        if (first[i] > first[top])
            top = i;
    CHECK(top == 16 && first[16] >= 102 && first[16] <= 106 && second[16] == first[16]);
    CHECK(vbmp3_getWave(first, second) != 0);

    CHECK(vbmp3_pause() != 0);
    CHECK(vbmp3_getState(&pos) == VBMP3_PAUSED);
    CHECK(vbmp3_seek(2) != 0);
    CHECK(vbmp3_getState(&pos) == VBMP3_PAUSED && pos == 2);
    CHECK(vbmp3_restart() != 0);
    CHECK(vbmp3_getState(&pos) == VBMP3_PLAYING && pos >= 2);
    CHECK(vbmp3_stop() != 0);
    CHECK(vbmp3_getState(&pos) == VBMP3_STOPPED && pos == 0);

    CHECK(vbmp3_open(dir, &info) == 0);
    CHECK(vbmp3_getLastErrorNo() == VBMP3_ERR_CANNOT_READ);
    CHECK(vbmp3_stopCallback() != 0);
    CHECK(vbmp3_free() != 0);
    CHECK(vbmp3_getState(&pos) == 0);

    unlink(path);
    rmdir(dir);
    if (failures)
        fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
