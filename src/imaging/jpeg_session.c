#include "jpeg_session.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include <jerror.h>
#include <jpeglib.h>

struct jpeg_session {
  struct jpeg_decompress_struct cinfo;
  struct jpeg_error_mgr err;
  struct jpeg_progress_mgr progress;
  jmp_buf escape;
  const uint8_t *data;
  size_t size;
  int code;
  int created;
  int single_scan; /* decoding a single-scan picture, whose missing data the decoder reports */
  int cmyk;        /* output as CMYK, converted here */
  JSAMPARRAY cmyk_row;
};

static void on_error(j_common_ptr cinfo) {
  jpeg_session *s = (jpeg_session *)cinfo->client_data;
  /* Without a backing store, libjpeg says so when its buffers would pass max_memory. */
  s->code = cinfo->err->msg_code == JERR_NO_BACKING_STORE ? JPEG_SESSION_TOO_MUCH_MEMORY
                                                          : cinfo->err->msg_code;
  longjmp(s->escape, 1);
}

/* Warnings (level -1) let libjpeg go on with made-up data; missing pixel data is treated as
 * fatal, since the rest of the picture would then be invented grey. The decoder warns of a
 * marker met while a scan still needs data (the end-of-image one the source puts in at the
 * end of the input, that of a file cut and closed again, or that after a header claiming
 * more rows than the data holds). The end of the input itself is fatal too, but for a
 * single-scan picture being decoded: there the decoder's own warning follows if any data
 * is missing, and without it only the end marker was, as some cameras and tools write
 * them; the picture is whole and shown. Trace messages (levels 0 and up) are ignored:
 * nothing is ever printed. */
static void on_message(j_common_ptr cinfo, int level) {
  jpeg_session *s = (jpeg_session *)cinfo->client_data;
  if (level >= 0)
    return;
  if (cinfo->err->msg_code == JWRN_HIT_MARKER ||
      (cinfo->err->msg_code == JWRN_JPEG_EOF && !s->single_scan))
    on_error(cinfo);
}

static void on_progress(j_common_ptr cinfo) {
  j_decompress_ptr d = (j_decompress_ptr)cinfo;
  if (d->input_scan_number > JPEG_SESSION_MAX_SCANS) {
    jpeg_session *s = (jpeg_session *)cinfo->client_data;
    s->code = JPEG_SESSION_TOO_MANY_SCANS;
    longjmp(s->escape, 1);
  }
}

static int start(jpeg_session *s, long max_memory) {
  if (setjmp(s->escape) != 0)
    return 0;
  jpeg_create_decompress(&s->cinfo);
  s->created = 1;
  s->cinfo.mem->max_memory_to_use = max_memory;
  s->progress.progress_monitor = on_progress;
  s->cinfo.progress = &s->progress;
  return 1;
}

jpeg_session *jpeg_session_create(const uint8_t *data, size_t size, long max_memory) {
  jpeg_session *s = (jpeg_session *)calloc(1, sizeof(jpeg_session));
  if (s == NULL)
    return NULL;
  s->cinfo.err = jpeg_std_error(&s->err);
  s->err.error_exit = on_error;
  s->err.emit_message = on_message;
  s->cinfo.client_data = s;
  s->data = data;
  s->size = size;
  if (!start(s, max_memory)) {
    jpeg_session_destroy(s);
    return NULL;
  }
  return s;
}

int jpeg_session_read_header(jpeg_session *s, int *width, int *height) {
  if (setjmp(s->escape) != 0)
    return s->code;
  jpeg_mem_src(&s->cinfo, s->data, (unsigned long)s->size); /* an empty input fails here */
  jpeg_read_header(&s->cinfo, TRUE);
  *width = (int)s->cinfo.image_width;
  *height = (int)s->cinfo.image_height;
  return 0;
}

static uint32_t cmyk_to_argb(const JSAMPLE *p) {
  /* Adobe applications store CMYK inverted (0 = full ink) and so do the encoders that copy
   * them; the same product as Qt's reader keeps both showing the same pixels. */
  const unsigned k = p[3];
  return 0xFF000000u | ((k * p[0] / 255u) << 16) | ((k * p[1] / 255u) << 8) | (k * p[2] / 255u);
}

int jpeg_session_start(jpeg_session *s, int scale_denom, int *width, int *height) {
  /* Set before setjmp and not changed after it, so their values are defined after a jump. */
  struct jpeg_decompress_struct *const cinfo = &s->cinfo;
  const int cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  if (setjmp(s->escape) != 0)
    return s->code;
  s->cmyk = cmyk;
  if (cmyk) {
    cinfo->out_color_space = JCS_CMYK;
  } else {
    /* libjpeg-turbo writes 0xAARRGGBB words directly, alpha set to 0xFF. */
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    cinfo->out_color_space = JCS_EXT_ARGB;
#else
    cinfo->out_color_space = JCS_EXT_BGRA;
#endif
  }
  cinfo->dct_method = JDCT_ISLOW;
  cinfo->scale_num = 1;
  cinfo->scale_denom = (unsigned)(scale_denom < 1 ? 1 : scale_denom > 8 ? 8 : scale_denom);
  s->single_scan = !jpeg_has_multiple_scans(cinfo);
  jpeg_start_decompress(cinfo);
  /* Unscaled, the rows are as wide and as many as the header said, which sized the limits. */
  if (cinfo->scale_denom == 1 &&
      (cinfo->output_width != cinfo->image_width || cinfo->output_height != cinfo->image_height))
    ERREXIT(cinfo, JERR_BAD_STATE);
  if (cmyk)
    s->cmyk_row =
        (*cinfo->mem->alloc_sarray)((j_common_ptr)cinfo, JPOOL_IMAGE, cinfo->output_width * 4u, 1);
  *width = (int)cinfo->output_width;
  *height = (int)cinfo->output_height;
  return 0;
}

int jpeg_session_read_row(jpeg_session *s, uint32_t *row) {
  struct jpeg_decompress_struct *const cinfo = &s->cinfo;
  if (setjmp(s->escape) != 0)
    return s->code;
  if (s->cmyk) {
    JDIMENSION x;
    if (jpeg_read_scanlines(cinfo, s->cmyk_row, 1) != 1)
      ERREXIT(cinfo, JERR_BAD_STATE);
    for (x = 0; x < cinfo->output_width; ++x)
      row[x] = cmyk_to_argb(s->cmyk_row[0] + 4u * x);
  } else {
    JSAMPROW target = (JSAMPROW)row;
    if (jpeg_read_scanlines(cinfo, &target, 1) != 1)
      ERREXIT(cinfo, JERR_BAD_STATE);
  }
  return 0;
}

int jpeg_session_finish(jpeg_session *s) {
  if (setjmp(s->escape) != 0)
    return s->code;
  jpeg_finish_decompress(&s->cinfo);
  return 0;
}

void jpeg_session_destroy(jpeg_session *s) {
  if (s == NULL)
    return;
  if (s->created)
    jpeg_destroy_decompress(&s->cinfo);
  free(s);
}
