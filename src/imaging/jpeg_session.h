#pragma once
/* The libjpeg side of the JPEG decoder, written in C: libjpeg reports a fatal error by
 * calling error_exit, which must not return, so these functions catch it with setjmp and
 * longjmp back into their own C frames. No C++ object lives in a frame the jump crosses.
 *
 * A session owns the libjpeg decompressor and nothing else; the caller owns the input bytes
 * (which must outlive the session) and the output pixels. Each call returns 0 on success, or
 * the number of libjpeg's message (its msg_code) that stopped it, or one of the negative
 * codes below. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A progressive picture is read again for each scan; a file of thousands of tiny scans would
 * keep the decoder busy for minutes on a large picture, and no encoder writes more than a few
 * dozen. Beyond this many scans the decode stops with JPEG_SESSION_TOO_MANY_SCANS. */
enum { JPEG_SESSION_MAX_SCANS = 500, JPEG_SESSION_TOO_MANY_SCANS = -1 };

/* The decoder would need more memory for its own buffers than max_memory allows. */
enum { JPEG_SESSION_TOO_MUCH_MEMORY = -2 };

typedef struct jpeg_session jpeg_session;

/* Returns NULL when memory runs out. max_memory bounds what libjpeg may allocate for its own
 * buffers (a progressive picture keeps all its coefficients); beyond it the decode fails with a
 * libjpeg error. */
jpeg_session *jpeg_session_create(const uint8_t *data, size_t size, long max_memory);

/* Reads the markers up to the first scan and gives the picture's size. */
int jpeg_session_read_header(jpeg_session *s, int *width, int *height);

/* Starts the decompression, scaled by 1/scale_denom (1 to 8; libjpeg rounds it up to a
 * multiple of 1/8), and gives the size of the rows it will produce. A multi-scan picture is
 * read whole here, into libjpeg's own buffers, so a progressive file that lacks its data
 * fails before the caller takes memory for the pixels. */
int jpeg_session_start(jpeg_session *s, int scale_denom, int *width, int *height);

/* Then decodes the next row into `row` (width pixels, 0xAARRGGBB, alpha 0xFF), top row
 * first. */
int jpeg_session_read_row(jpeg_session *s, uint32_t *row);

/* After the last row: checks the end of the data. */
int jpeg_session_finish(jpeg_session *s);

void jpeg_session_destroy(jpeg_session *s);

#ifdef __cplusplus
}
#endif
