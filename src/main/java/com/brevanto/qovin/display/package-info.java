/**
 * Drawing callbacks, windows, key sniffers, and the screen and mouse.
 */
package com.brevanto.qovin.display;
