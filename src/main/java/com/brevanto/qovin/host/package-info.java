/**
 * The host inside qovin.xpl that loads, runs and contains the Java plugins of
 * its plugins/ folder. Plugins do not call it; it is documented for those who
 * work on qovin.
 */
package com.brevanto.qovin.host;
