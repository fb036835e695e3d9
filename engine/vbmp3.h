/*
 * vbmp3 — Hearvex's playback engine.
 *
 * Decodes recordings (WAV, MP3, FLAC, Ogg Vorbis and Opus through
 * libsndfile; M4A/AAC, raw ADTS AAC, MP4/MOV, WebM, Matroska, WMA, AC-3, ALAC
 * and whatever else FFmpeg's libraries read through those, the first sound
 * stream of a film), found by content, never by file name; plays them
 * through the system's sound output and hands out the latest wave and
 * spectrum for display.
 *
 * Threads
 *   Every call below may be made from any thread, one at a time (Hearvex makes
 *   them all from its window thread; concurrent calls are serialised). No call
 *   waits on decoding or on the sound device for more than a few
 *   milliseconds, except vbmp3_stopCallback and vbmp3_free at exit: decoding
 *   runs on the engine's own thread into a ring buffer, and the sound device
 *   pulls from that buffer on its callback thread. Never call the engine from
 *   inside a sound callback of your own.
 *
 * Units
 *   Positions and lengths are whole seconds from the start of the track, in
 *   the track's own time at every speed (at 50 % a 10 s track plays for 20 s
 *   and its position moves half a second per second).
 *   Volumes are 0..100 per channel (0 silent, 100 unchanged, linear between).
 *   Strings are UTF-8.
 *
 * Results
 *   Calls return non-zero on success and 0 on failure; a failed call sets the
 *   error number (vbmp3_getLastErrorNo) and a successful vbmp3_open clears it.
 *   Every call made before vbmp3_init or after vbmp3_free fails with 0 and
 *   does nothing, except that vbmp3_getState, vbmp3_getWave and
 *   vbmp3_getSpectrum still fill their outputs with zeros.
 *
 * Output
 *   Sound goes to the system's default sound device. With no sound device (or
 *   only SDL's dummy driver) the engine plays silently in real time on a
 *   clock of its own; every vbmp3_open looks for a device again. A device
 *   lost while playing (unplugged, sound server gone) is replaced by silent
 *   play at once, without stopping or moving the track.
 *   vbmp3_getOutputState says which of the two plays.
 */
#ifndef VBMP3_H
#define VBMP3_H

#include <stdint.h>

/* The declarations keep the layout they were given in. */
/* clang-format off */

#ifdef __cplusplus
extern "C" {
#endif

/* Error numbers of vbmp3_getLastErrorNo. */
enum {
    VBMP3_ERR_NONE = 0,
    VBMP3_ERR_NOT_INITIALISED = 1, /* vbmp3_init not called, or vbmp3_free called */
    VBMP3_ERR_BAD_ARGUMENT = 2,    /* a null path, record or buffer; a speed outside 50..200 */
    VBMP3_ERR_CANNOT_READ = 3,     /* the file is missing, a folder, not a plain file, or unreadable */
    VBMP3_ERR_NOT_AUDIO = 4,       /* not a recording the engine can decode (empty, damaged, unknown) */
    VBMP3_ERR_NO_OUTPUT = 5,       /* neither a sound device nor the silent output could be opened */
    VBMP3_ERR_NO_TRACK = 6,        /* the call needs an open track and none is open */
    VBMP3_ERR_WRONG_STATE = 7,     /* pause while not playing, restart while not paused, seek while stopped */
    VBMP3_ERR_INTERNAL = 8,        /* out of memory, or no thread could be started */
    VBMP3_ERR_TIMEOUT = 9          /* vbmp3_stopCallback: the output did not close within 5 s */
};

/* Engine states of vbmp3_getState. */
enum { VBMP3_STOPPED = 0, VBMP3_PLAYING = 1, VBMP3_PAUSED = 2 };

/* Outputs of vbmp3_getOutputState. */
enum {
    VBMP3_OUTPUT_NONE = 0,   /* no engine, or no output open (nothing opened yet, or closed) */
    VBMP3_OUTPUT_DEVICE = 1, /* sound goes to a sound device */
    VBMP3_OUTPUT_SILENT = 2  /* no sound device: plays silently in real time */
};

/* The track-information record filled by vbmp3_open. */
typedef struct Vbmp3TrackInfo {
    char    trackName[128];  /* UTF-8, NUL-padded: the title tag, else the file's name */
    char    secondName[128]; /* UTF-8, NUL-padded: the artist tag, else empty */
    int32_t channels;        /* byte 256 */
    int32_t sampleRate;      /* byte 260, Hz */
    int32_t bitRate;         /* byte 264, kbit/s (average) */
    int32_t totalSec;        /* byte 268, whole seconds, rounded down */
} Vbmp3TrackInfo;            /* 272 bytes */
/* Text fields hold at most 127 bytes, cut at a character boundary. Text a
 * tag declares as UTF-8 or UTF-16 (Vorbis comments; ID3v2 frames so marked)
 * is taken as it is; ID3 text in Latin-1 is read as GBK when all its high
 * bytes form GB2312 pairs (as Chinese taggers wrote it), else as Latin-1. */

/* Starts the engine (its decoding thread; the sound device opens with the
 * first track). A second call while running is harmless and returns 1.
 * After vbmp3_free it starts the engine afresh. */
int32_t vbmp3_init(void);

/* Non-zero: the volume can be set (it is applied in software, so always 1 once initialised). */
int32_t vbmp3_getWaveOutSupport(void);

/* The current volume per channel, 0..100 (100 each after vbmp3_init). */
int32_t vbmp3_getVolume(int32_t *left, int32_t *right);

/* Sets the volume per channel; values outside 0..100 are limited to that
 * range. Heard within one sound-device period; kept across tracks. */
int32_t vbmp3_setVolume(int32_t left, int32_t right);

/* Sets the playback speed in percent of normal, 50..200 (100 is normal),
 * with the pitch kept (speech is time-stretched; at 100 the sound passes
 * untouched). Returns 1; a value outside 50..200 returns 0 with
 * VBMP3_ERR_BAD_ARGUMENT and leaves the speed as it was. Allowed in any state,
 * with or without a track; kept across opens and plays. A playing or paused
 * track goes on from the position heard, the change heard within a sound
 * period or so (the sound decoded ahead is made again). Positions, lengths,
 * seeks, the wave and the spectrum stay as described, in track time; the
 * wave and spectrum show what is heard. */
int32_t vbmp3_setSpeed(int32_t percent);

/* The speed in percent (100 after vbmp3_init). Before vbmp3_init and after
 * vbmp3_free: 0. */
int32_t vbmp3_getSpeed(void);

/* Options kept for callers that set them; they are accepted, remembered and
 * change no sound. */
int32_t vbmp3_setEqualizer(int32_t mode);
int32_t vbmp3_setKaraokeUse(int32_t on);
int32_t vbmp3_useAtMarkTag(int32_t on);
int32_t vbmp3_setLyricsNextAdjustTime(int32_t ms);

/* Closes any open track and opens the file at path (UTF-8), stopped at 0.
 * Fills info and returns non-zero; on failure returns 0, leaves no track open
 * and sets the error number (VBMP3_ERR_CANNOT_READ, VBMP3_ERR_NOT_AUDIO, or
 * VBMP3_ERR_BAD_ARGUMENT for a null path or info, which closes the open track
 * too). Reads the file's header and first frames (and, for a file that does
 * not state its length, the end of the file). Sample rates below 1 kHz or
 * above 768 kHz are refused as VBMP3_ERR_NOT_AUDIO.
 * The length is what the file holds: a download cut short is as long as the
 * sound that is there, whatever its header says. A stream that states no
 * length is measured once, without decoding: raw ADTS AAC by its frame
 * headers (which also place its seeks), other raw streams (AC-3) by their
 * packets; past about 0.4 s (hours on a slow disk) the rest is estimated
 * from the bytes per second read so far, and the track then ends where its
 * sound does. Through FFmpeg, a film's first sound stream plays, mixed down to two
 * channels when it has more (its centre channel, where films put speech,
 * included); a seek lands on its very sample in every format. */
int16_t vbmp3_open(const char *path, Vbmp3TrackInfo *info); /* 0 = failed */

/* The number of the last error (VBMP3_ERR_*); read it after a failed open.
 * Before vbmp3_init and after vbmp3_free: VBMP3_ERR_NOT_INITIALISED. */
int32_t vbmp3_getLastErrorNo(void);

/* Ends playback: state 0, position 0; the track stays open. Harmless with
 * nothing open or nothing playing. */
int32_t vbmp3_stop(void);

/* Plays the open track from its beginning (also after it ended or was
 * stopped, and while it plays or is paused). With nothing open: 0
 * (VBMP3_ERR_NO_TRACK). When no output at all could be opened for the track:
 * 0 (VBMP3_ERR_NO_OUTPUT); if that is found only after the call returned 1,
 * the track stops by itself (state 0) instead of playing. */
int32_t vbmp3_play(void);

/* Pauses a playing track where it stands (state 2). Already paused: 1.
 * Stopped: 0, nothing changes. */
int32_t vbmp3_pause(void);

/* Resumes a paused track from where it stood. Already playing: 1.
 * Stopped: 0, nothing starts. */
int32_t vbmp3_restart(void);

/* Moves the playing or paused position to sec; below 0 goes to 0, at or beyond
 * the end ends the track (state 0, position 0). A paused track stays paused.
 * Stopped: 0, nothing changes. Returns at once; the decoding thread carries
 * the seek out, and vbmp3_getState reports sec from now on. */
int32_t vbmp3_seek(int32_t sec);

/* The state (VBMP3_STOPPED, VBMP3_PLAYING, VBMP3_PAUSED) and, in *pos, the
 * whole second of the track being heard now (frames handed to the sound
 * device, rounded down). At the end of the track the engine stops by itself:
 * state 0, position 0. pos may be null. */
int32_t vbmp3_getState(int32_t *pos); /* 0 stopped or nothing open, 1 playing, 2 paused */

/* The last 256 frames being played, after volume, full scale = 100: left
 * channel in first, right in second (mono: both). Zeros while silent, paused
 * or stopped. Returns 1 while playing, else 0. */
int32_t vbmp3_getWave(int32_t *first, int32_t *second); /* 256 each */

/* 256 levels per channel, bin k at k * sampleRate / 512 Hz (0 Hz up to half
 * the sample rate), from a Hann-windowed FFT of the last 512 frames played,
 * after volume: level = 110 + 20*log10(amplitude of a sine in that bin
 * relative to full scale), rounded, never below 0. A full-scale sine reads
 * about 110, a -70 dB one about 40, silence 0. Zeros while paused or stopped.
 * Returns 1 while playing, else 0. */
int32_t vbmp3_getSpectrum(int32_t *first, int32_t *second); /* 256 each */

/* Which output plays: VBMP3_OUTPUT_DEVICE, VBMP3_OUTPUT_SILENT, or
 * VBMP3_OUTPUT_NONE (also before vbmp3_init and after vbmp3_free). The output
 * is opened on the decoding thread within moments of vbmp3_open; until then
 * the previous answer stands. */
int32_t vbmp3_getOutputState(void);

/* Stops playback and closes the sound device; when it returns no sound
 * callback runs. Call before vbmp3_free at exit. A later vbmp3_play reopens
 * the device. 0 with VBMP3_ERR_TIMEOUT if the device did not close within
 * 5 s (a hung sound server). */
int32_t vbmp3_stopCallback(void);

/* Closes the track, ends the engine's threads and releases everything. */
int32_t vbmp3_free(void);

#ifdef __cplusplus
}
#endif

/* clang-format on */

#endif /* VBMP3_H */
