/* resources/ResourceIds.h: resource numbers shared by the resource scripts and the code.
   windres reads this file too, so it holds nothing but #defines. */
#ifndef MEROVANE_RESOURCE_IDS_H
#define MEROVANE_RESOURCE_IDS_H

/* The host looks for the filter's property list under this number. */
#define IDR_PIPL 16000

/* Scripting terminology; the 'hstm' property of the PiPL names this number. */
#define IDR_TERMINOLOGY 16000

/* Windows reads a DLL's own manifest from resource 2 (ISOLATIONAWARE_MANIFEST_RESOURCE_ID). */
#define IDR_MANIFEST 2

#endif /* MEROVANE_RESOURCE_IDS_H */
