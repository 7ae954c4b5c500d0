/**
 * The simulator's drawing utilities: text, dark boxes, textures, the
 * graphics state and coordinate conversion.
 */
package com.brevanto.qovin.graphics;
