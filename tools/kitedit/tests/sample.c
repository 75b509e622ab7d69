/* A sample for the editor: keywords, strings and comments. */
#include "device.h"

static int counter = 0;

int main(void)
{
	while (counter < 10) {
		counter++;	// count up
	}
	return "done"[0];
}
