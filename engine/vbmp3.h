/*
 * vbmp3 — Hearvex's playback engine.
 *
 * Decodes recordings (WAV, MP3, FLAC, Ogg Vorbis, Opus, found by content,
 * never by file name), plays them through the system's sound output and
 * hands out the latest wave and spectrum for display.
 *
 * Threads
 *   Every call below may be made from any one thread at a time (Hearvex makes
 *   them all from its window thread). No call waits on decoding or on the
 *   sound device for more than a few milliseconds: decoding runs on the
 *   engine's own thread into a ring buffer, and the sound device pulls from
 *   that buffer on its callback thread. Never call the engine from inside a
 *   sound callback of your own.
 *
 * Units
 *   Positions and lengths are whole seconds from the start of the track.
 *   Volumes are 0..100 per channel (0 silent, 100 unchanged).
 *   Strings are UTF-8.
 *
 * Results
 *   Calls return non-zero on success and 0 on failure. Every call made before
 *   vbmp3_init or after vbmp3_free fails with 0 and does nothing.
 *   With no sound device the engine plays silently in real time.
 */
#ifndef VBMP3_H
#define VBMP3_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Error numbers of vbmp3_getLastErrorNo. */
enum {
    VBMP3_ERR_NONE = 0,
    VBMP3_ERR_NOT_INITIALISED = 1, /* vbmp3_init not called, or vbmp3_free called */
    VBMP3_ERR_BAD_ARGUMENT = 2,    /* a null path or record */
    VBMP3_ERR_CANNOT_READ = 3,     /* the file is missing, a folder, or cannot be read */
    VBMP3_ERR_NOT_AUDIO = 4,       /* not a recording the engine can decode (empty, damaged, unknown) */
    VBMP3_ERR_NO_OUTPUT = 5        /* neither a sound device nor the silent output could be opened */
};

/* Engine states of vbmp3_getState. */
enum { VBMP3_STOPPED = 0, VBMP3_PLAYING = 1, VBMP3_PAUSED = 2 };

/* The track-information record filled by vbmp3_open. */
typedef struct Vbmp3TrackInfo {
    char    trackName[128];  /* UTF-8, NUL-padded: the title tag, else the file's name */
    char    secondName[128]; /* UTF-8, NUL-padded: the artist tag, else empty */
    int32_t channels;        /* byte 256 */
    int32_t sampleRate;      /* byte 260, Hz */
    int32_t bitRate;         /* byte 264, kbit/s (average) */
    int32_t totalSec;        /* byte 268, whole seconds, rounded down */
} Vbmp3TrackInfo;            /* 272 bytes */

/* Starts the engine. A second call while running is harmless and returns 1. */
int32_t vbmp3_init(void);

/* Non-zero: the volume can be set (it is applied in software, so always 1 once initialised). */
int32_t vbmp3_getWaveOutSupport(void);

/* The current volume per channel, 0..100. */
int32_t vbmp3_getVolume(int32_t *left, int32_t *right);

/* Sets the volume per channel; values outside 0..100 are limited to that range. */
int32_t vbmp3_setVolume(int32_t left, int32_t right);

/* Options kept for callers that set them; they change no sound. */
int32_t vbmp3_setEqualizer(int32_t mode);
int32_t vbmp3_setKaraokeUse(int32_t on);
int32_t vbmp3_useAtMarkTag(int32_t on);
int32_t vbmp3_setLyricsNextAdjustTime(int32_t ms);

/* Closes any open track and opens the file at path (UTF-8), stopped at 0.
 * Fills info and returns non-zero; on failure returns 0, leaves no track open
 * and sets the error number. Reads the file's header only. */
int16_t vbmp3_open(const char *path, Vbmp3TrackInfo *info); /* 0 = failed */

/* The number of the last error (VBMP3_ERR_*); read it after a failed open. */
int32_t vbmp3_getLastErrorNo(void);

/* Ends playback: state 0, position 0; the track stays open. */
int32_t vbmp3_stop(void);

/* Plays the open track from its beginning (also after it ended or was stopped). */
int32_t vbmp3_play(void);

/* Pauses a playing track where it stands (state 2). */
int32_t vbmp3_pause(void);

/* Resumes a paused track from where it stood. */
int32_t vbmp3_restart(void);

/* Moves the playing or paused position to sec; below 0 goes to 0, at or beyond
 * the end ends the track. Stopped: does nothing. Returns at once; the decoding
 * thread carries the seek out, and vbmp3_getState reports sec from now on. */
int32_t vbmp3_seek(int32_t sec);

/* The state (VBMP3_STOPPED, VBMP3_PLAYING, VBMP3_PAUSED) and, in *pos, the
 * whole second of the track being heard now. */
int32_t vbmp3_getState(int32_t *pos); /* 0 stopped or nothing open, 1 playing, 2 paused */

/* The last 256 frames being played, after volume, full scale = 100: left
 * channel in first, right in second (mono: both). Zeros while silent, paused or stopped. */
int32_t vbmp3_getWave(int32_t *first, int32_t *second); /* 256 each */

/* 256 levels per channel, bins linearly spaced from 0 Hz to half the sample
 * rate, from a windowed FFT of the last 512 frames played:
 * level = 110 + 20*log10(amplitude relative to full scale), rounded, never below 0. */
int32_t vbmp3_getSpectrum(int32_t *first, int32_t *second); /* 256 each */

/* Stops the sound output's callbacks; call before vbmp3_free at exit. */
int32_t vbmp3_stopCallback(void);

/* Closes the track, ends the engine's threads and releases everything. */
int32_t vbmp3_free(void);

#ifdef __cplusplus
}
#endif

#endif /* VBMP3_H */
