/**
 * Scenery objects (loaded, drawn, instanced), arrays of draw locations, and
 * terrain probes.
 */
package com.brevanto.qovin.scenery;
